#include "tests/centerlines/EventLog.h"
#include "tests/centerlines/MeasuredLine.h"
#include "tests/centerlines/PointText.h"

#include <tqannotations/Annotation.h>
#include <tqk/AsyncEvent.h>
#include <tqk/MemoryPoolAllocated.h>
#include <tqk/ObjectSelectionItem.h>
#include <tqk/ShapeScene.h>
#include <tqk/illustration/SbomInstanceSelectionItem.h>

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace {

using tqannotations::CenterLinesAnnotation;
using Parts = CenterLinesAnnotation::ShapeInstances;
using Events = std::vector<std::string>;

//! The measured line of the sample (slot 0 on the plate, slot 1 on the rib), with an observer.
class CenterLinesSceneChangesTest : public ::testing::Test
{
protected:
  CenterLinesSceneChangesTest() : log(new EventLog)
  {
    scene.line->RegisterObserver(log);
    log->events.clear();
  }

  du::SmartPtr<tqk::ShapeInstance> Part(const char* idPath) const { return scene.builder.FindPart(idPath); }
  du::SmartPtr<tqk::ShapeScene> Scene() const { return scene.builder.GetScene(); }
  void SetVisible(const char* idPath, bool visible)
  {
    Scene()->SetVisibility({Part(idPath)->GetInstance()}, visible, true);
  }
  du::SmartPtr<tqk::SelectionItem> StructureItem(const char* idPath) const
  {
    du::SmartPtr<tqk::SelectionItem> item(
        new tqk::illustration::SbomInstanceSelectionItem(scene.builder.GetTree()->FindInstance(idPath)));
    item->SetContentType(tqk::mcad_selection::Collection);
    return item;
  }

  //! Slot 0 on the frame as a weld, slot 1 on the cover, measured. A weld stands for its members:
  //! it has no engineering instance of its own, only a reference to the assembly it was made of.
  void PickFrameAsWeld()
  {
    const du::SmartPtr<tqk::illustration::SbomInstance> frame =
        scene.builder.GetTree()->FindInstance("frame");
    frame->SetReference(frame->GetEbomInstance());
    frame->SetEbomInstance(nullptr);
    scene.line->SetObjects({StructureItem("frame"), scene.PartItem("housing/cover")}, nullptr, true);
    tqk::Kernel::GetKernel()->PumpQueue();
  }

  MeasuredLine scene;
  du::SmartPtr<EventLog> log;
};

TEST_F(CenterLinesSceneChangesTest, APlacementThatCannotBeReadIsKept)
{
  // The frame keeps the engineering instance of its assembly, of which the scene shows no part:
  // no placement can be read for the frame, though its plate moves.
  scene.line->SetObjects({StructureItem("frame")}, nullptr, true);
  tqk::Kernel::GetKernel()->PumpQueue();
  tqannotations::CenterLinesInfo info = scene.Info();
  info.location1 = dg::DPoint3D(7, 7, 7);
  scene.line->SetCenterLinesInfo(info);
  ASSERT_TRUE(scene.line->SlotContainsShapeInstance({Part("frame/plate")}, 0, false));
  Scene()->SetShapeInstanceLocation(Part("frame/plate"), At(0, 4, 0));
  EXPECT_EQ(Text(scene.Info().location1), "(7, 7, 7)");
}

TEST_F(CenterLinesSceneChangesTest, AWeldWithoutMembersHoldsNoPart)
{
  const du::SmartPtr<tqk::illustration::SbomInstance> bare = scene.builder.AddAssembly(nullptr, "bare", true);
  bare->SetEbomInstance(nullptr);
  scene.line->SetObjects({StructureItem("bare")}, nullptr, false);
  for (const bool all : {false, true})
    EXPECT_FALSE(scene.line->SlotContainsShapeInstance({Part("frame/plate"), Part("housing/cover")}, 0, all));
}

TEST_F(CenterLinesSceneChangesTest, AWeldShowsWhileAnyMemberShowsAndStaysWhileAnyMemberStays)
{
  PickFrameAsWeld();
  SetVisible("frame/plate", false);
  EXPECT_TRUE(scene.line->IsVisible()) << "the rib still shows";
  SetVisible("frame/rib", false);
  EXPECT_FALSE(scene.line->IsVisible());
  SetVisible("frame/plate", true);
  EXPECT_TRUE(scene.line->IsVisible());

  Scene()->RemoveShapeInstance(Part("frame/plate"));
  EXPECT_TRUE(scene.set->Contains(scene.line)) << "one member of the weld is gone, not the weld";
}

TEST_F(CenterLinesSceneChangesTest, ACreatedFirstPartOnlyRefreshesTheFirstPlacement)
{
  // Outside a set the line stays in the scene while its part is taken out and made again.
  scene.set->RemoveAnnotationFromSet(scene.line, nullptr);
  scene.line->AttachScene(Scene());
  tqk::Kernel::GetKernel()->PumpQueue();
  const du::SmartPtr<tqk::ShapeInstance> plate = Part("frame/plate");
  Scene()->RemoveShapeInstance(plate);
  const tqannotations::CenterLinesInfo before = scene.Info();
  log->events.clear();

  Scene()->CreateShapeInstance(plate->GetInstance(), plate->GetShape(), At(0, 0, 7));
  const tqannotations::CenterLinesInfo after = scene.Info();
  EXPECT_EQ(Text(after.location1), "(0, 0, 7)");
  EXPECT_EQ(Text(after.point1) + Text(after.point2) + Text(after.location2),
            Text(before.point1) + Text(before.point2) + Text(before.location2));
  EXPECT_TRUE(log->events.empty());
}

TEST_F(CenterLinesSceneChangesTest, APartMadeAgainUnderTheLineMovesItsEndOnlyByItsLaterMoves)
{
  scene.set->RemoveAnnotationFromSet(scene.line, nullptr);
  scene.line->AttachScene(Scene());
  tqk::Kernel::GetKernel()->PumpQueue();
  const du::SmartPtr<tqk::ShapeInstance> plate = Part("frame/plate");
  Scene()->RemoveShapeInstance(plate);

  const du::SmartPtr<tqk::ShapeInstance> madeAgain =
      Scene()->CreateShapeInstance(plate->GetInstance(), plate->GetShape(), At(0, 0, 7));
  ASSERT_TRUE(madeAgain);
  EXPECT_EQ(Text(scene.DrawnLine()->GetPoints()[1]), "(0, 5, 1)") << "the line stays where it was drawn";
  Scene()->SetShapeInstanceLocation(madeAgain, At(0, 0, 9));
  EXPECT_EQ(Text(scene.Info().point1), "(0, 5, 3)") << "moved by 2, from where the part was made again";
  EXPECT_EQ(Text(scene.DrawnLine()->GetPoints()[1]), "(0, 5, 3)");
}

TEST_F(CenterLinesSceneChangesTest, OnlyInstancesBehindTheFirstPickAreShownWithTheLine)
{
  // The plate picked as a face of the part: an object item whose object is the plate's instance.
  du::SmartPtr<tqk::SelectionItem> plateFace(
      new tqk::ObjectSelectionItem(Part("frame/plate")->GetInstance()));
  plateFace->SetContentType(tqk::mcad_selection::Face3D);
  scene.line->SetObjects({plateFace, scene.PartItem("frame/rib")}, nullptr, true);
  tqk::Kernel::GetKernel()->PumpQueue();
  SetVisible("frame/plate", false);
  ASSERT_FALSE(scene.line->IsVisible());
  scene.line->Show(false);
  EXPECT_TRUE(Part("frame/plate")->IsVisible()) << "showing the line shows the part it starts on";

  // A construction axis is no part: a line that starts on one shows no part and follows none.
  du::SmartPtr<tqk::SelectionItem> axis(
      new tqk::ObjectSelectionItem(new tqannotations::Annotation(tqk::Annotation::CONSTRUCTION_AXIS)));
  axis->SetContentType(tqk::mcad_selection::Annotation);
  du::SmartPtr<tqk::AsyncEvent> request(new tqk::AsyncEvent);
  scene.line->SetObjects({axis, scene.PartItem("frame/rib")}, request, true);
  tqk::Kernel::GetKernel()->PumpQueue();
  EXPECT_EQ(request->GetStatus(), tqk::BaseAsyncEvent::COMPLETED);
  ASSERT_TRUE(scene.DrawnLine());
  SetVisible("frame/plate", false);
  EXPECT_TRUE(scene.line->IsVisible()) << "the plate no longer decides";
  scene.line->Hide(false);
  scene.line->Show(false);
  EXPECT_FALSE(Part("frame/plate")->IsVisible());
  EXPECT_TRUE(scene.DrawnLine()->IsVisible());
}

TEST(CenterLinesSceneChanges, ALineWhoseSetHeldTheLastReferenceOutlivesTheRemovalNotice)
{
  const std::size_t alive = tqk::MemoryPoolAllocated::GetLiveCount(tqk::MemoryPoolAllocated::ANNOTATIONS);
  {
    MeasuredLine scene;
    scene.line.Reset(); // now only the set holds the line
    EXPECT_EQ(tqk::MemoryPoolAllocated::GetLiveCount(tqk::MemoryPoolAllocated::ANNOTATIONS), alive + 1);
    scene.builder.GetScene()->RemoveShapeInstance(scene.builder.FindPart("frame/plate"));
    EXPECT_EQ(tqk::MemoryPoolAllocated::GetLiveCount(tqk::MemoryPoolAllocated::ANNOTATIONS), alive);
    scene.line = MeasuredLine::Make(); // for the fixture's own tear-down
  }
  EXPECT_EQ(tqk::MemoryPoolAllocated::GetLiveCount(tqk::MemoryPoolAllocated::ANNOTATIONS), alive);
}

} // namespace
