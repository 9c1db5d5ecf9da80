#include "tests/centerlines/EventLog.h"
#include "tests/centerlines/MeasuredLine.h"
#include "tests/centerlines/PointText.h"

#include <tqannotations/CenterLinesOperationStep.h>
#include <tqannotations/MarkupDrag.h>
#include <tqannotations/SlotObject.h>
#include <tqk/Operation.h>
#include <tqk/SerializedContentElement.h>
#include <tqk/UndoHistory.h>
#include <tqmk/CenterLineXYZShadow.h>

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace {

using tqannotations::CenterLinesAnnotation;
using tqannotations::CenterLinesInfo;
using tqannotations::CenterLinesOperationStep;
using tqmk::CenterLineXYZShadow;

//! Everything of a snapshot that an undo must give back, as one text.
std::string InfoText(const CenterLinesInfo& info)
{
  std::ostringstream text;
  text << Text(info.point1) << Text(info.point2) << Text(info.location1) << Text(info.location2)
       << " extents " << info.style.lineExtent1 << " " << info.style.lineExtent2 << " drag "
       << info.style.dragFactor << " offsets " << Text(info.style.anchorOffset)
       << Text(info.style.endpointOffset) << " width " << info.style.lineWidth;
  return text.str();
}

//! Writes down the slots that items are put into, in order.
class SlotOrderProbe : public CenterLinesAnnotation
{
public:
  std::vector<int> filled;

protected:
  bool _PutSelectionObjectIntoSlot(int slot, const du::SmartPtr<tqk::SelectionItem>& item) override
  {
    filled.push_back(slot);
    return CenterLinesAnnotation::_PutSelectionObjectIntoSlot(slot, item);
  }
};

//! A shadow of the drawn line that has not moved, dropped with these items under its ends.
du::SmartPtr<CenterLineXYZShadow> DroppedShadow(const MeasuredLine& scene,
                                                const du::SmartPtr<tqk::SelectionItem>& startItem,
                                                const du::SmartPtr<tqk::SelectionItem>& endItem)
{
  du::SmartPtr<CenterLineXYZShadow> shadow(
      new CenterLineXYZShadow(scene.builder.GetView(), scene.DrawnLine()));
  shadow->HandleDragStart();
  shadow->SetStartPointItem(startItem);
  shadow->SetEndPointItem(endItem);
  return shadow;
}

tqk::UndoHistory& History() { return tqk::World::GetWorld()->GetUndoHistory(); }

class CenterLinesDragTest : public ::testing::Test
{
protected:
  CenterLinesDragTest() { History().Clear(); }
  ~CenterLinesDragTest() override { History().Clear(); }
};

TEST_F(CenterLinesDragTest, ADragReattachingBothEndsIsOneStepThatUndoesAndRedoesExactly)
{
  const du::SmartPtr<SlotOrderProbe> probe = MeasuredLine::Make<SlotOrderProbe>();
  MeasuredLine scene(probe);
  ASSERT_TRUE(scene.DrawnLine());
  const CenterLinesInfo before = scene.Info();
  const du::SmartPtr<tqk::SelectionItem> plate = scene.ItemIn(0), rib = scene.ItemIn(1);
  const du::SmartPtr<tqk::SelectionItem> cover = scene.PartItem("housing/cover");
  const du::SmartPtr<tqk::SelectionItem> bolt = scene.PartItem("housing/bolt");
  probe->filled.clear();

  du::SmartPtr<tqk::Operation> operation(new tqk::Operation("drag", scene.builder.GetScene(), true));
  EXPECT_TRUE(scene.line->MarkupUpdated(scene.DrawnLine(), DroppedShadow(scene, cover, bolt), operation));

  EXPECT_EQ(probe->filled, (std::vector<int>{1, 0})) << "the second end is attached first";
  EXPECT_EQ(scene.ItemIn(0), cover);
  EXPECT_EQ(scene.ItemIn(1), bolt);
  EXPECT_EQ(scene.line->GetSlots()[0]->GetConstraint(), tqmu::ConstructionConstraint::ON_OBJECT);
  const CenterLinesInfo after = scene.Info();
  EXPECT_EQ(Text(after.location1), "(40, 0, 0)") << "the placements follow the new parts";
  EXPECT_EQ(Text(after.location2), "(60, 0, 0)");
  EXPECT_EQ(Text(after.point1), Text(before.point1)) << "a drag does not move the end points";
  EXPECT_TRUE(scene.DrawnLine()->IsEndPointAttached());

  ASSERT_EQ(operation->GetSteps().size(), 1u);
  const auto step = du::SmartPtr<CenterLinesOperationStep>::DynamicCast(operation->GetSteps()[0]);
  ASSERT_TRUE(step);
  EXPECT_EQ(step->GetKind(), CenterLinesOperationStep::SLOTS_CHANGED);
  EXPECT_EQ(History().GetUndoCount(), 1u) << "the line records its own edit";

  // Any number of undos and redos give back the same slots and snapshot.
  for (int round = 0; round < 2; ++round) {
    ASSERT_TRUE(History().Undo());
    EXPECT_EQ(scene.ItemIn(0), plate);
    EXPECT_EQ(scene.ItemIn(1), rib);
    EXPECT_EQ(InfoText(scene.Info()), InfoText(before));
    EXPECT_TRUE(scene.DrawnLine()) << "the line is drawn again after an undo";
    ASSERT_TRUE(History().Redo());
    EXPECT_EQ(scene.ItemIn(0), cover);
    EXPECT_EQ(scene.ItemIn(1), bolt);
    EXPECT_EQ(InfoText(scene.Info()), InfoText(after));
  }
  EXPECT_NE(step->GetUndoSlots()[0], scene.line->GetSlots()[0]) << "the record keeps its own slot objects";
}

TEST_F(CenterLinesDragTest, DraggingTheSecondEndOntoAPartInTheViewReattachesOnlyThatEnd)
{
  MeasuredLine scene;
  const du::SmartPtr<tqk::SelectionItem> plate = scene.ItemIn(0);
  du::SmartPtr<tqk::Operation> operation(new tqk::Operation("drag", scene.builder.GetScene(), true));
  {
    tqannotations::MarkupDrag drag(scene.DrawnLine(), scene.builder.GetView(), scene.line.Get());
    ASSERT_TRUE(drag.StartAt(10, 5)) << "the second end";
    drag.Step(dg::DVec3(35, 0, 0));
    ASSERT_TRUE(drag.Stop(45, 5, operation));
  }
  EXPECT_EQ(scene.ItemIn(0), plate) << "the first end was not dropped anywhere";
  EXPECT_EQ(du::SmartPtr<tqk::ObjectSelectionItem>::DynamicCast(scene.ItemIn(1))->GetObject(),
            scene.builder.FindPart("housing/cover")->GetInstance());
  const CenterLinesInfo info = scene.Info();
  EXPECT_EQ(Text(info.style.anchorOffset), "(35, 0, 0)") << "the second end is drawn where it was dropped";
  EXPECT_EQ(Text(info.style.endpointOffset), "(0, 0, 0)");
  EXPECT_EQ(Text(info.point2), "(10, 5, 1)") << "the measured end point stays";
  EXPECT_TRUE(scene.DrawnLine()->IsEndPointAttached());
  EXPECT_EQ(History().GetUndoCount(), 1u);

  ASSERT_TRUE(History().Undo());
  EXPECT_EQ(Text(scene.Info().style.anchorOffset), "(0, 0, 0)");
  EXPECT_EQ(scene.DrawnLine()->GetPoints()[2].x, 10.0) << "the drawing follows the undo";
}

TEST_F(CenterLinesDragTest, ADraggedFirstEndStaysWhereDroppedThroughASaveAndAnUndo)
{
  MeasuredLine scene;
  du::SmartPtr<tqk::Operation> operation(new tqk::Operation("drag", scene.builder.GetScene(), true));
  {
    tqannotations::MarkupDrag drag(scene.DrawnLine(), scene.builder.GetView(), scene.line.Get());
    ASSERT_TRUE(drag.StartAt(0, 5)) << "the first end";
    drag.Step(dg::DVec3(0, 3, 0));
    ASSERT_TRUE(drag.Stop(0, 8, operation));
  }
  EXPECT_EQ(Text(scene.DrawnLine()->GetPoints()[1]), "(0, 8, 1)");

  tqk::SerializedContentElement saved(du::Symbol("annotation"));
  scene.line->Visit(saved);
  du::SmartPtr<CenterLinesAnnotation> loaded(new CenterLinesAnnotation);
  ASSERT_TRUE(loaded->InitializeFromSerializedContent(&saved));
  CenterLinesInfo info;
  loaded->GetCenterLinesInfo(info);
  EXPECT_EQ(Text(info.style.endpointOffset), "(0, 3, 0)") << "the document keeps the drag";

  ASSERT_TRUE(History().Undo());
  EXPECT_EQ(Text(scene.DrawnLine()->GetPoints()[1]), "(0, 5, 1)");
  ASSERT_TRUE(History().Redo());
  EXPECT_EQ(Text(scene.DrawnLine()->GetPoints()[1]), "(0, 8, 1)") << "the redo draws the drag again";
}

TEST_F(CenterLinesDragTest, ADraggedCornerOfARoutedLineStaysThroughASaveAndAnUndo)
{
  MeasuredLine scene;
  CenterLinesInfo routed = scene.Info();
  routed.point2 = dg::DPoint3D(10, 8, 1);
  routed.style.alongXYZ = true;
  scene.line->SetCenterLinesInfo(routed);
  scene.line->ReCalculateMarkup();
  ASSERT_EQ(scene.DrawnLine()->GetPoints().size(), 7u);
  ASSERT_EQ(Text(scene.DrawnLine()->GetPoints()[2]), "(5, 5, 1)") << "the first corner, half way along x";

  du::SmartPtr<tqk::Operation> operation(new tqk::Operation("drag", scene.builder.GetScene(), true));
  {
    tqannotations::MarkupDrag drag(scene.DrawnLine(), scene.builder.GetView(), scene.line.Get());
    ASSERT_TRUE(drag.StartAt(5, 5));
    drag.Step(dg::DVec3(-3, 0, 0));
    ASSERT_TRUE(drag.Stop(2, 5, operation));
  }
  const std::string dropped = Text(scene.DrawnLine()->GetPoints()[2]);
  EXPECT_LT(scene.DrawnLine()->GetPoints()[2].x, 5.0) << "the corner moved towards where it was dropped";

  tqk::SerializedContentElement saved(du::Symbol("annotation"));
  scene.line->Visit(saved);
  du::SmartPtr<CenterLinesAnnotation> loaded(new CenterLinesAnnotation);
  ASSERT_TRUE(loaded->InitializeFromSerializedContent(&saved));
  CenterLinesInfo info;
  loaded->GetCenterLinesInfo(info);
  EXPECT_FLOAT_EQ(info.style.dragFactor, scene.DrawnLine()->GetDragFactor())
      << "the document keeps the corner";

  ASSERT_TRUE(History().Undo());
  EXPECT_EQ(Text(scene.DrawnLine()->GetPoints()[2]), "(5, 5, 1)");
  ASSERT_TRUE(History().Redo());
  EXPECT_EQ(Text(scene.DrawnLine()->GetPoints()[2]), dropped);
}

TEST_F(CenterLinesDragTest, StretchingAnExtensionChangesTheStyleAndNamesTheStepSo)
{
  MeasuredLine scene;
  du::SmartPtr<tqk::Operation> operation(new tqk::Operation("drag", scene.builder.GetScene(), true));
  {
    tqannotations::MarkupDrag drag(scene.DrawnLine(), scene.builder.GetView(), scene.line.Get());
    ASSERT_TRUE(drag.StartAt(-2, 5)) << "the first extension point";
    drag.Step(dg::DVec3(-3, 0, 0));
    ASSERT_TRUE(drag.Stop(-5, 5, operation));
  }
  EXPECT_FLOAT_EQ(scene.Info().style.lineExtent1, 5.0f);
  du::SmartPtr<tqk::Operation> second(new tqk::Operation("drag", scene.builder.GetScene(), true));
  {
    tqannotations::MarkupDrag drag(scene.DrawnLine(), scene.builder.GetView(), scene.line.Get());
    ASSERT_TRUE(drag.StartAt(12, 5)) << "the second extension point";
    drag.Step(dg::DVec3(1, 0, 0));
    ASSERT_TRUE(drag.Stop(13, 5, second));
  }
  EXPECT_FLOAT_EQ(scene.Info().style.lineExtent2, 3.0f);
  ASSERT_EQ(operation->GetSteps().size(), 1u);
  const auto step = du::SmartPtr<CenterLinesOperationStep>::DynamicCast(operation->GetSteps()[0]);
  EXPECT_EQ(step->GetKind(),
            CenterLinesOperationStep::SLOTS_CHANGED | CenterLinesOperationStep::STYLE_CHANGED);
  scene.line->SetObjectName("axle line");
  EXPECT_EQ(step->GetOperationName(), du::Symbol("Change Style of axle line"));

  ASSERT_TRUE(History().Undo());
  EXPECT_FLOAT_EQ(scene.Info().style.lineExtent2, 2.0f);
  ASSERT_TRUE(History().Undo());
  EXPECT_FLOAT_EQ(scene.Info().style.lineExtent1, 2.0f);
}

TEST_F(CenterLinesDragTest, NoOperationOrNoSetAppliesTheDragWithoutRecordingIt)
{
  MeasuredLine scene;
  du::SmartPtr<EventLog> log(new EventLog);
  scene.line->RegisterObserver(log);
  log->events.clear();
  const du::SmartPtr<tqk::SelectionItem> cover = scene.PartItem("housing/cover");
  EXPECT_TRUE(scene.line->MarkupUpdated(scene.DrawnLine(), DroppedShadow(scene, cover, nullptr), nullptr));
  EXPECT_EQ(scene.ItemIn(0), cover);
  EXPECT_EQ(log->events, std::vector<std::string>{"parameters"})
      << "the drag is told once, unrecorded or not";
  EXPECT_EQ(History().GetUndoCount(), 0u);

  // Outside its annotation set the line has connection id -1.
  scene.set->RemoveAnnotationFromSet(scene.line, nullptr);
  ASSERT_EQ(scene.line->GetAnnotationConnectionId(), -1);
  scene.line->AttachScene(scene.builder.GetScene());
  tqk::Kernel::GetKernel()->PumpQueue();
  const du::SmartPtr<tqk::SelectionItem> bolt = scene.PartItem("housing/bolt");
  du::SmartPtr<tqk::Operation> operation(new tqk::Operation("drag", scene.builder.GetScene(), true));
  EXPECT_TRUE(scene.line->MarkupUpdated(scene.DrawnLine(), DroppedShadow(scene, bolt, nullptr), operation));
  EXPECT_EQ(scene.ItemIn(0), bolt);
  EXPECT_TRUE(operation->GetSteps().empty());
  EXPECT_EQ(History().GetUndoCount(), 0u);
}

TEST_F(CenterLinesDragTest, AnotherShadowOrAForeignMarkupChangesNothing)
{
  MeasuredLine scene;
  du::SmartPtr<EventLog> log(new EventLog);
  scene.line->RegisterObserver(log);
  log->events.clear();
  const du::SmartPtr<tqk::SelectionItem> plate = scene.ItemIn(0);
  const du::SmartPtr<tqk::SelectionItem> cover = scene.PartItem("housing/cover");
  du::SmartPtr<tqk::Operation> operation(new tqk::Operation("drag", scene.builder.GetScene(), true));

  EXPECT_FALSE(scene.line->MarkupUpdated(scene.DrawnLine(), scene.DrawnLine(), operation)) << "not a shadow";
  du::SmartPtr<tqmk::CenterLineXYZ> foreign(new tqmk::CenterLineXYZ);
  foreign->SetPoints(
      {dg::DPoint3D(0, 0, 0), dg::DPoint3D(1, 0, 0), dg::DPoint3D(2, 0, 0), dg::DPoint3D(3, 0, 0)});
  du::SmartPtr<CenterLineXYZShadow> foreignShadow(new CenterLineXYZShadow(scene.builder.GetView(), foreign));
  foreignShadow->HandleDragStart();
  foreignShadow->SetStartPointItem(cover);
  EXPECT_FALSE(scene.line->MarkupUpdated(foreign, foreignShadow, operation)) << "drawn by no representation";

  EXPECT_EQ(scene.ItemIn(0), plate);
  EXPECT_TRUE(log->events.empty());
  EXPECT_TRUE(operation->GetSteps().empty());
}

TEST_F(CenterLinesDragTest, OnlyTheSecondEndDroppedOnAPartMarksTheDrawingAttached)
{
  MeasuredLine scene;
  scene.line->ClearSlot(1);
  tqk::Kernel::GetKernel()->PumpQueue();
  ASSERT_TRUE(scene.DrawnLine());
  EXPECT_FALSE(scene.DrawnLine()->IsEndPointAttached());

  scene.line->SetAttachedItem(scene.PartItem("housing/cover"), CenterLinesAnnotation::FIRST_END);
  EXPECT_FALSE(scene.DrawnLine()->IsEndPointAttached()) << "the first end never marks it";
  EXPECT_EQ(Text(scene.Info().location1), "(40, 0, 0)");

  EXPECT_TRUE(scene.line->IsHighlighted());
  scene.line->UnHighlightAssociatedObjects(scene.builder.GetScene());
  scene.line->SetAttachedItem(nullptr, CenterLinesAnnotation::SECOND_END);
  EXPECT_FALSE(scene.ItemIn(1));
  EXPECT_FALSE(scene.line->IsHighlighted()) << "a null item touches nothing";

  scene.line->SetAttachedItem(scene.PartItem("housing/bolt"), CenterLinesAnnotation::SECOND_END);
  EXPECT_TRUE(scene.DrawnLine()->IsEndPointAttached());
  EXPECT_TRUE(scene.line->IsHighlighted());

  // Only the two line ends take items: the coordinate-system slot and slots beyond stay as they are.
  const std::string placements = Text(scene.Info().location1) + Text(scene.Info().location2);
  const du::SmartPtr<tqk::SelectionItem> rib = scene.PartItem("frame/rib");
  scene.line->SetAttachedItem(rib, static_cast<CenterLinesAnnotation::AttachedPoint>(2));
  EXPECT_FALSE(scene.ItemIn(2));
  EXPECT_EQ(Text(scene.Info().location1) + Text(scene.Info().location2), placements);
  for (const int end : {3, -1})
    scene.line->SetAttachedItem(rib, static_cast<CenterLinesAnnotation::AttachedPoint>(end));
  EXPECT_EQ(Text(scene.Info().location1) + Text(scene.Info().location2), placements);
}

TEST_F(CenterLinesDragTest, AnUndoDrawsTheRecordedLineAgainWithoutAskingWhetherItsPicksStillHold)
{
  MeasuredLine scene;
  const du::SmartPtr<tqk::SelectionItem> cover = scene.PartItem("housing/cover");
  du::SmartPtr<tqk::Operation> operation(new tqk::Operation("drag", scene.builder.GetScene(), true));
  ASSERT_TRUE(scene.line->MarkupUpdated(scene.DrawnLine(), DroppedShadow(scene, nullptr, cover), operation));
  scene.line->ClearSlot(0);
  tqk::Kernel::GetKernel()->PumpQueue();
  ASSERT_FALSE(scene.DrawnLine()) << "without its first item the line is gone";

  ASSERT_TRUE(History().Undo());
  ASSERT_TRUE(scene.DrawnLine()) << "the undone state is a measured line";
  scene.builder.GetScene()->SetShapeInstanceLocation(scene.builder.FindPart("frame/plate"), At(0, 10, 0));
  EXPECT_EQ(Text(scene.Info().point1), "(0, 15, 1)") << "and it follows its parts again";

  // A line pasted from a snapshot has no picks at all; its drag undoes all the same.
  const CenterLinesInfo info = scene.Info();
  scene.line->DetachScene();
  const du::SmartPtr<CenterLinesAnnotation> pasted(new CenterLinesAnnotation(info));
  scene.set->AddAnnotation(pasted);
  pasted->AttachScene(scene.builder.GetScene());
  ASSERT_TRUE(scene.DrawnLine());
  EXPECT_FALSE(pasted->ValidateObjects());
  {
    tqannotations::MarkupDrag drag(scene.DrawnLine(), scene.builder.GetView(), pasted.Get());
    ASSERT_TRUE(drag.StartAt(10, 5)) << "the second end";
    drag.Step(dg::DVec3(0, 5, 0));
    ASSERT_TRUE(drag.Stop(10, 10, new tqk::Operation("drag", scene.builder.GetScene(), true)));
  }
  EXPECT_EQ(Text(scene.DrawnLine()->GetPoints()[2]), "(10, 10, 1)");
  ASSERT_TRUE(History().Undo());
  ASSERT_TRUE(scene.DrawnLine());
  EXPECT_EQ(Text(scene.DrawnLine()->GetPoints()[2]), "(10, 5, 1)") << "drawn as before the drag";
  pasted->DetachScene();
}

TEST(CenterLinesOperationStep, AStepWithoutChangesHasNoNameAndCapturingAgainReplacesTheRedoState)
{
  MeasuredLine scene;
  du::SmartPtr<CenterLinesOperationStep> step(new CenterLinesOperationStep(scene.line));
  EXPECT_EQ(step->GetKind(), 0u);
  EXPECT_EQ(step->GetOperationName(), du::Symbol::EMPTY);
  EXPECT_EQ(step->GetUndoInfo().representationCount, 1);
  ASSERT_EQ(step->GetUndoSlots().size(), 3u);

  step->SetRedo();
  step->SetRedo();
  EXPECT_EQ(step->GetRedoSlots().size(), 3u) << "a second capture replaces the first";
  const CenterLinesOperationStep copy(*step);
  EXPECT_EQ(copy.GetUndoSlots()[0], step->GetUndoSlots()[0]) << "a copy shares the recorded slots";
  EXPECT_EQ(copy.GetAnnotation(), scene.line);
  EXPECT_EQ(step->GetKind(), CenterLinesOperationStep::SLOTS_CHANGED) << "copies never match";
  EXPECT_EQ(step->GetOperationName(), du::Symbol("Change Items of "));

  // A change of the drag factor or the offsets alone is no change of style.
  CenterLinesInfo moved = scene.Info();
  moved.style.dragFactor = 0.25f;
  moved.style.anchorOffset = dg::DPoint3D(1, 2, 3);
  scene.line->SetCenterLinesInfo(moved);
  step->SetRedo();
  EXPECT_EQ(step->GetKind(), CenterLinesOperationStep::SLOTS_CHANGED);
  moved.style.lineExtent2 += 1e-5f;
  scene.line->SetCenterLinesInfo(moved);
  step->SetRedo();
  EXPECT_EQ(step->GetKind(),
            CenterLinesOperationStep::SLOTS_CHANGED | CenterLinesOperationStep::STYLE_CHANGED);
}

TEST(CenterLinesOperationStep, ARedoBeforeTheAfterStateIsCapturedLeavesTheLineWhole)
{
  MeasuredLine scene;
  const du::SmartPtr<tqk::SelectionItem> plate = scene.ItemIn(0), rib = scene.ItemIn(1);
  const std::string before = InfoText(scene.Info());
  du::SmartPtr<CenterLinesOperationStep> step(new CenterLinesOperationStep(scene.line));
  step->Redo();
  ASSERT_EQ(scene.line->GetSlots().size(), 3u) << "the line keeps its three slots";
  EXPECT_EQ(scene.ItemIn(0), plate);
  EXPECT_EQ(scene.ItemIn(1), rib);
  EXPECT_EQ(InfoText(scene.Info()), before);
  scene.line->SetAttachedItem(scene.PartItem("housing/cover"), CenterLinesAnnotation::SECOND_END);
  EXPECT_TRUE(scene.DrawnLine()->IsEndPointAttached());

  step->Undo();
  EXPECT_EQ(scene.ItemIn(1), rib) << "the state before is there to undo to";
}

} // namespace
