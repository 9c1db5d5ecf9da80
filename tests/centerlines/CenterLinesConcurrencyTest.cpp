#include "tests/centerlines/MeasuredLine.h"
#include "tests/centerlines/PointText.h"
#include "ThreadRounds.h"

#include <tqannotations/CenterLinesOperationStep.h>
#include <tqk/ShapeScene.h>

#include <gtest/gtest.h>

#include <atomic>
#include <vector>

namespace {

using test_threads::ThreadRounds;

constexpr int kReaders = 3;
constexpr int kReads = 300;

// An end and the placement of its part move together, so a reader that finds them apart by
// anything but the measured offset has seen a line half moved.
bool Apart(const dg::DPoint3D& end, const dg::DPoint3D& placement, const dg::DPoint3D& offset)
{
  return end.x - placement.x != offset.x || end.y - placement.y != offset.y ||
         end.z - placement.z != offset.z;
}

TEST(CenterLinesConcurrency, ReadersSeeWholeMovesWhileOtherThreadsMoveTheParts)
{
  MeasuredLine scene;
  const tqannotations::CenterLinesInfo start = scene.Info();
  const dg::DPoint3D firstOffset(start.point1.x - start.location1.x, start.point1.y - start.location1.y,
                                 start.point1.z - start.location1.z);
  const dg::DPoint3D secondOffset(start.point2.x - start.location2.x, start.point2.y - start.location2.y,
                                  start.point2.z - start.location2.z);
  const du::SmartPtr<tqk::ShapeInstance> plate = scene.builder.FindPart("frame/plate");
  const du::SmartPtr<tqk::ShapeInstance> rib = scene.builder.FindPart("frame/rib");
  const tqannotations::CenterLinesAnnotation::ShapeInstances both{plate, rib};

  constexpr int kRounds = 300;
  std::atomic<int> torn{0};
  ThreadRounds threads;
  threads.Add(kRounds, [&](int round) {
    scene.builder.GetScene()->SetShapeInstanceLocation(plate, At((round + 1) % 7, (round + 1) % 5, 0));
  });
  threads.Add(kRounds, [&](int round) {
    scene.builder.GetScene()->SetShapeInstanceLocation(rib, At(20 + (round + 1) % 3, 0, (round + 1) % 4));
  });
  threads.AddMany(kReaders, kReads, [&](int, int) {
    const tqannotations::CenterLinesInfo info = scene.Info();
    if (Apart(info.point1, info.location1, firstOffset) || Apart(info.point2, info.location2, secondOffset))
      ++torn;
    tqannotations::CenterLinesInfo copied;
    du::SmartPtr<tqannotations::CenterLinesAnnotation>(new tqannotations::CenterLinesAnnotation(*scene.line))
        ->GetCenterLinesInfo(copied);
    if (Apart(copied.point1, copied.location1, firstOffset))
      ++torn;
    int slot = -1;
    scene.line->SlotListContainsShapeInstance(both, slot, false);
  });
  EXPECT_EQ(threads.Run(), threads.Asked());

  EXPECT_EQ(torn.load(), 0);
  const tqannotations::CenterLinesInfo end = scene.Info();
  EXPECT_EQ(end.location1.x, double(kRounds % 7));
  EXPECT_EQ(end.point1.x, kRounds % 7 + firstOffset.x);
  EXPECT_EQ(end.point2.z, kRounds % 4 + secondOffset.z);
}

TEST(CenterLinesConcurrency, ReadersSeeOneStateOrTheOtherWhileAnEditIsUndoneAndRedone)
{
  MeasuredLine scene;
  const du::SmartPtr<tqk::Object> plateItem = scene.ItemIn(0);
  const du::SmartPtr<tqk::SelectionItem> coverItem = scene.PartItem("housing/cover");
  du::SmartPtr<tqannotations::CenterLinesOperationStep> step(
      new tqannotations::CenterLinesOperationStep(scene.line));
  scene.line->SetAttachedItem(coverItem, tqannotations::CenterLinesAnnotation::FIRST_END);
  scene.line->SetAttachedItem(scene.PartItem("housing/bolt"),
                              tqannotations::CenterLinesAnnotation::SECOND_END);
  step->SetRedo();
  const tqannotations::CenterLinesAnnotation::ShapeInstances plate{scene.builder.FindPart("frame/plate")};

  constexpr int kRounds = 200;
  std::atomic<int> strange{0};
  ThreadRounds threads;
  threads.Add(kRounds, [&](int) {
    step->Undo();
    step->Redo();
  });
  threads.AddMany(kReaders, kReads, [&](int, int) {
    const std::vector<du::SmartPtr<tqk::Object>> first = scene.line->GetAssociatedObjects();
    if (first.size() != 1 || (first[0] != plateItem && first[0] != coverItem))
      ++strange;
    int slot = -1;
    scene.line->SlotListContainsShapeInstance(plate, slot, false);
    scene.line->GetObjectDescription();
  });
  EXPECT_EQ(threads.Run(), threads.Asked());
  step->Undo();

  EXPECT_EQ(strange.load(), 0);
  EXPECT_EQ(scene.line->GetAssociatedObjects().at(0), plateItem);
}

// Other threads read the line's picks, compare it with another line and copy it while the host's
// thread picks it anew: every copy holds one whole pick. Meant for AddressSanitizer and
// ThreadSanitizer too: the picks read are replaced meanwhile.
TEST(CenterLinesConcurrency, ReadsComparisonsAndCopiesWhileTheLineIsPickedAnewSeeWholePicks)
{
  MeasuredLine scene;
  const std::vector<du::SmartPtr<tqk::SelectionItem>> picks[] = {
      {scene.PartItem("frame/plate"), scene.PartItem("frame/rib")},
      {scene.PartItem("housing/cover"), scene.PartItem("housing/bolt")}};
  // The other line keeps the picks of the measurement, which the line does not hold again.
  const du::SmartPtr<tqannotations::CenterLinesAnnotation> other(
      new tqannotations::CenterLinesAnnotation(*scene.line));
  scene.line->SetObjects(picks[0], nullptr, false);

  constexpr int kPicks = 300;
  std::atomic<int> torn{0};
  ThreadRounds threads;
  threads.Add(kPicks, [&](int round) { scene.line->SetObjects(picks[round % 2], nullptr, false); });
  threads.AddMany(kReaders, kReads, [&](int, int) {
    const du::SmartPtr<tqannotations::CenterLinesAnnotation> copy(
        new tqannotations::CenterLinesAnnotation(*scene.line));
    const int pick = copy->GetObject(0) == picks[0][0] ? 0 : 1;
    tqannotations::CenterLinesInfo copied;
    copy->GetCenterLinesInfo(copied);
    if (copy->GetObject(0) != picks[pick][0] || copy->GetObject(1) != picks[pick][1] ||
        copied.location1.x != 40.0 * pick) // the first item's part: the plate or the cover
      ++torn;
  });
  // Readers of the picks alone, many times over, so that a slot object freed under one shows.
  threads.AddMany(2, 100 * kPicks, [&](int reader, int round) {
    const unsigned slot = unsigned(round) % 2;
    const du::SmartPtr<tqk::Object> item = scene.line->GetObject(slot);
    if (item != picks[0][slot] && item != picks[1][slot])
      ++torn;
    if (round % 10 == 0 && (reader ? scene.line->IsEqual(other) : other->IsEqual(scene.line)))
      ++torn;
  });
  EXPECT_EQ(threads.Run(), threads.Asked());
  EXPECT_EQ(torn.load(), 0);
  EXPECT_EQ(scene.ItemIn(1), picks[1][1]) << "the last pick holds";
}

} // namespace
