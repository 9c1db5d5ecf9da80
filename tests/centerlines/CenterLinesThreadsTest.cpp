#include "tests/centerlines/CenterLineSceneFixture.h"

#include "ThreadRounds.h"

#include <tqannotations/CenterLinesInfo.h>
#include <tqk/illustration/SbomInstanceSelectionItem.h>

#include <atomic>

namespace {

using namespace centerline_tests;
using test_threads::ThreadRounds;
using tqannotations::CenterLinesInfo;
using tqannotations::CenterStyle;

constexpr int kWrites = 200;
constexpr int kReaders = 3;
constexpr int kReads = 200;

using CenterLineThreads = CenterLineSceneTest;

// Readers take whole snapshots while the host's thread restyles and selects the line: each
// snapshot holds one style or the other, never a mix. Meant to run under ThreadSanitizer too.
TEST_F(CenterLineThreads, SnapshotsReadWhileTheLineIsRestyledAndSelectedAreWhole)
{
  const du::SmartPtr<ProbeLine> line = MeasuredLine();
  CenterStyle thin;
  line->GetLineStyle(thin);
  thin.lineWidth = 1.0f;
  thin.lineStyle = 1;
  CenterStyle thick = thin;
  thick.lineWidth = 3.0f;
  thick.lineStyle = 3;
  line->SetLineStyle(thin, CenterStyle::LINE_WIDTH | CenterStyle::LINE_STYLE);

  std::atomic<int> mixed{0};
  ThreadRounds threads;
  threads.Add(kWrites, [&](int write) {
    line->SetLineStyle(write % 2 ? thin : thick, CenterStyle::LINE_WIDTH | CenterStyle::LINE_STYLE);
  });
  threads.AddMany(kReaders, kReads, [&](int reader, int) {
    CenterLinesInfo info;
    line->GetCenterLinesInfo(info);
    if (static_cast<int>(info.style.lineWidth) != info.style.lineStyle)
      ++mixed;
    line->OnSetSelected(reader % 2 == 0, nullptr);
  });
  EXPECT_EQ(threads.Run(), threads.Asked());
  EXPECT_EQ(mixed.load(), 0);
  EXPECT_EQ(HoldersInScene(), 1u);
}

// The host's thread picks the line's coordinate system again and again and clears its slots while
// other threads read its style, coordinate system and description: each read sees one whole pick.
TEST_F(CenterLineThreads, ReadsWhileTheCoordinateSystemIsPickedSeeWholePicks)
{
  const du::SmartPtr<ProbeLine> line = MeasuredLine();
  const du::SmartPtr<tqk::SelectionItem> plate = PartItem("frame/plate");
  const du::SmartPtr<tqk::SelectionItem> rib = PartItem("frame/rib");

  std::atomic<int> mixed{0};
  ThreadRounds threads;
  threads.Add(kWrites, [&](int write) {
    const bool part = write % 2 == 0;
    line->SetCSys(static_cast<CenterStyle::CSYS_ID>(part ? 1 : 2),
                  part ? CenterStyle::CSYS_PART : CenterStyle::CSYS_WORLD, dg::Location::IDENTITY,
                  part ? plate : rib);
    if (part)
      line->ClearCSysSlot();
    else
      line->ClearSlot(2);
  });
  threads.AddMany(kReaders, kReads, [&](int, int) {
    CenterStyle::CSYS_ID id;
    dg::Location placement;
    du::SmartPtr<tqk::SelectionItem> system;
    const CenterStyle::CSYS_TYPE type = line->GetCSys(id, placement, system);
    if (static_cast<int>(id) != static_cast<int>(type))
      ++mixed;
    line->GetObjectDescription();
  });
  EXPECT_EQ(threads.Run(), threads.Asked());
  EXPECT_EQ(mixed.load(), 0);
}

// Other threads ask whether the followed part is selected while the host's thread switches the
// following on and off. Meant for ThreadSanitizer: the answer itself may be either.
TEST_F(CenterLineThreads, AskingForTheFollowedPartWhileFollowingIsSwitchedIsSafe)
{
  const du::SmartPtr<ProbeLine> line = MeasuredLine();
  CenterStyle following;
  line->GetLineStyle(following);
  following.attached = true;
  CenterStyle free = following;
  free.attached = false;

  ThreadRounds threads;
  threads.Add(kWrites,
              [&](int write) { line->SetLineStyle(write % 2 ? following : free, CenterStyle::ATTACHED); });
  threads.AddMany(kReaders, kReads, [&](int, int) { line->IsAttachedShapeSelected(); });
  EXPECT_EQ(threads.Run(), threads.Asked()) << "every reader asked while the following was switched";
}

// Other threads pick the line anew, each pick starting a measurement, and take it out of the scene
// and back, while the host's thread shows it in its view, which asks for the view's bounds, and
// pumps its queue, which answers those requests. Meant for ThreadSanitizer; afterwards the line
// still measures and draws its next pick.
TEST_F(CenterLineThreads, MeasurementsAreAnsweredWhileOtherThreadsRepickAndReattachTheLine)
{
  const du::SmartPtr<ProbeLine> line = MeasuredLine();
  const std::vector<du::SmartPtr<tqk::SelectionItem>> picks[] = {
      {PartItem("frame/plate"), PartItem("housing/cover")},
      {PartItem("frame/rib"), PartItem("housing/bolt")}};
  ThreadRounds threads;
  threads.Add(kWrites, [&](int round) { line->SetObjects(picks[round % 2], nullptr, true); });
  threads.Add(kWrites, [&](int) {
    line->DetachScene();
    line->AttachScene(builder.GetScene());
  });
  threads.Add(kWrites, [&](int) {
    line->AddView(builder.GetView());
    Pump();
  });
  EXPECT_EQ(threads.Run(), threads.Asked());
  line->SetObjects(picks[1], nullptr, true);
  Pump();
  CenterLinesInfo info;
  line->GetCenterLinesInfo(info);
  EXPECT_EQ(info.point1.x, 20.0) << "measured on the rib";
  EXPECT_EQ(HoldersInScene(), 1u);
}

// Other threads look through the scene for lines on a structure instance while the host's thread
// picks another line onto it, off it and clears it again: each look finds that line or none, and
// never a torn identity. Meant to run under ThreadSanitizer too.
TEST_F(CenterLineThreads, ScansForLinesOnAnItemWhileALinePicksOnAndOffItSeeWholePicks)
{
  const auto collection = [&](const char* idPath) {
    du::SmartPtr<tqk::SelectionItem> item(
        new tqk::illustration::SbomInstanceSelectionItem(builder.GetTree()->FindInstance(idPath)));
    item->SetContentType(tqk::mcad_selection::Collection);
    return item;
  };
  const du::SmartPtr<ProbeLine> picking = NewLine();
  const du::SmartPtr<ProbeLine> asking = NewLine();
  const du::SmartPtr<tqk::SelectionItem> frame = collection("frame");
  const du::SmartPtr<tqk::SelectionItem> cover = collection("housing/cover");

  std::atomic<int> wrong{0};
  ThreadRounds threads;
  threads.Add(kWrites, [&](int) {
    picking->SetObjects({frame}, nullptr, false);
    picking->SetObjects({cover}, nullptr, false);
    picking->SetObjects({frame}, nullptr, false);
    picking->ClearSlot(0);
  });
  threads.AddMany(kReaders, kReads, [&](int, int) {
    const auto found = asking->GetCollidingExplodeLinesForSlot("frame");
    if (found.size() > 1 || (found.size() == 1 && found.front() != picking))
      ++wrong;
  });
  EXPECT_EQ(threads.Run(), threads.Asked()) << "every reader scanned while the line was picked anew";
  EXPECT_EQ(wrong.load(), 0);
  EXPECT_TRUE(asking->GetCollidingExplodeLinesForSlot("frame").empty()) << "the slot was cleared last";
}

} // namespace
