#include "callouts/CalloutTestSupport.h"

#include <tqannotations/CalloutLeaderShadow.h>
#include <tqannotations/MarkupDrag.h>

#include <tqk/Kernel.h>
#include <tqmu/MarkupData.h>
#include <tqmu/ModelContainer.h>
#include <tqmu/ModelLineStrip.h>

#include <gtest/gtest.h>

namespace {

using namespace callout_test;

void ExpectPoint(const dg::DPoint3D& actual, double x, double y, double z)
{
  EXPECT_EQ(actual.x, x);
  EXPECT_EQ(actual.y, y);
  EXPECT_EQ(actual.z, z);
}

const tqmu::ModelContainer& ModelOf(const CalloutLeaderShadow& shadow)
{
  const auto content = du::SmartPtr<tqmu::MarkupData>::DynamicCast(shadow.GetContent());
  return dynamic_cast<const tqmu::ModelContainer&>(*content->GetModelBase());
}

//! The points the shadow draws: the vertices of the line in its drawing model.
std::vector<dg::DPoint3D> DrawnPoints(const CalloutLeaderShadow& shadow)
{
  for (const du::SmartPtr<tqmu::ModelBase>& child : ModelOf(shadow).GetChildren())
    if (const auto line = du::SmartPtr<tqmu::ModelLineStrip>::DynamicCast(child))
      return line->GetVertices();
  return {};
}

//! The grab point the shadow draws at the position; null when there is none.
du::SmartPtr<tqmu::ModelShadowPoint> GrabPointAt(const CalloutLeaderShadow& shadow,
                                                 const dg::DPoint3D& position)
{
  for (const du::SmartPtr<tqmu::ModelBase>& child : ModelOf(shadow).GetChildren())
    if (const auto point = du::SmartPtr<tqmu::ModelShadowPoint>::DynamicCast(child))
      if (point->GetLocation().GetPosition().x == position.x &&
          point->GetLocation().GetPosition().y == position.y &&
          point->GetLocation().GetPosition().z == position.z)
        return point;
  return nullptr;
}

//! A leader through the points on a part of a shape scene with a shape view, not part of any
//! callout (so no one takes its drops), and a shadow of it.
struct LooseLeader
{
  explicit LooseLeader(const std::vector<dg::DPoint3D>& points)
      : part(world.AddPart("p")), leader(new CalloutLeader(part, nullptr))
  {
    for (const dg::DPoint3D& point : points)
      leader->AppendPoint(point);
  }

  //! The shadow the leader makes for the view, kept for the drag as the host keeps it.
  du::SmartPtr<CalloutLeaderShadow> BeginDrag(const du::SmartPtr<tqk::View>& view)
  {
    if (!leader->BeginShadowDrag(view))
      return nullptr;
    return du::SmartPtr<CalloutLeaderShadow>::DynamicCast(leader->GetShadow());
  }
  du::SmartPtr<CalloutLeaderShadow> NewShadow()
  {
    return du::SmartPtr<CalloutLeaderShadow>::DynamicCast(
        du::SmartPtr<tqk::Markup>(leader->ConstructShadow(world.view)));
  }

  SceneWithView world;
  du::SmartPtr<tqk::ShapeInstance> part;
  du::SmartPtr<CalloutLeader> leader;
};

TEST(CalloutLeaderShadow, DrawsOneGrabPointPerLeaderPointAndRedrawsWithoutDoubles)
{
  LooseLeader loose({{0, 0, 0}, {10, 0, 0}, {10, 10, 0}});
  const du::SmartPtr<CalloutLeaderShadow> shadow = loose.NewShadow();
  ASSERT_TRUE(shadow);
  EXPECT_EQ(shadow->GetMarkup(), du::SmartPtr<tqk::Markup>(loose.leader));
  EXPECT_EQ(DrawnPoints(*shadow).size(), 3u);
  EXPECT_EQ(ModelOf(*shadow).GetChildren().size(), 4u);
  shadow->MarkupChanged();
  shadow->MarkupChanged();
  EXPECT_EQ(DrawnPoints(*shadow).size(), 3u);
  EXPECT_EQ(ModelOf(*shadow).GetChildren().size(), 4u);
  EXPECT_FALSE(shadow->GetConnectionTarget());

  loose.leader->SetHidden(true);
  EXPECT_EQ(loose.leader->ConstructShadow(loose.world.view), nullptr);
}

TEST(CalloutLeaderShadowInsertPoint, GoesAfterTheStartOfTheNearestSegmentEarlierOnTies)
{
  LooseLeader loose({{0, 0, 0}, {10, 0, 0}, {10, 10, 0}});
  // On the line of the first segment, beyond its end: the line's distance, 0, wins over the
  // second segment's 10.
  du::SmartPtr<CalloutLeaderShadow> shadow = loose.NewShadow();
  shadow->InsertPoint(dg::DPoint3D(20, 0, 0));
  EXPECT_EQ(shadow->GetPickedNode(), 1);
  ExpectPoint(DrawnPoints(*shadow).at(1), 20, 0, 0);
  // As far from both segments' lines: the earlier one.
  shadow = loose.NewShadow();
  shadow->InsertPoint(dg::DPoint3D(5, 5, 0));
  EXPECT_EQ(shadow->GetPickedNode(), 1);
  // Nearer the second segment.
  shadow = loose.NewShadow();
  shadow->InsertPoint(dg::DPoint3D(9, 5, 0));
  EXPECT_EQ(shadow->GetPickedNode(), 2);
  EXPECT_EQ(DrawnPoints(*shadow).size(), 4u);
  EXPECT_EQ(loose.leader->GetPoints().size(), 3u) << "the leader does not change";
}

TEST(CalloutLeaderShadowInsertPoint, WithoutASegmentTheNewPointComesFirst)
{
  for (const std::size_t count : {0u, 1u}) {
    LooseLeader loose(std::vector<dg::DPoint3D>(count, dg::DPoint3D(1, 1, 0)));
    const du::SmartPtr<CalloutLeaderShadow> shadow = loose.NewShadow();
    EXPECT_TRUE(shadow->InsertPoint(dg::DPoint3D(7, 7, 0)));
    EXPECT_EQ(shadow->GetPickedNode(), 0);
    ExpectPoint(DrawnPoints(*shadow).at(0), 7, 7, 0);
  }
}

TEST(CalloutLeaderShadowInsertPoint, ADropAfterAnInsertHandsOverTheStopAsANewPoint)
{
  LooseLeader loose({{0, 0, 0}, {10, 0, 0}});
  const du::SmartPtr<CalloutLeaderShadow> shadow = loose.BeginDrag(loose.world.view);
  shadow->InsertPoint(dg::DPoint3D(5, 1, 0));
  loose.world.view->SetNextPickAnswer({tqk::PickResult(loose.part, dg::DPoint3D(5, 2, 0))});
  shadow->SetDragStopPosition(5, 2);
  shadow->HandleDragStop();
  tqk::Kernel::GetKernel()->PumpQueue();
  const std::vector<dg::DPoint3D> points = shadow->GetPoints();
  ASSERT_EQ(points.size(), 3u);
  ExpectPoint(points[1], 5, 2, 0);
  ExpectPoint(points[2], 10, 0, 0);
  EXPECT_EQ(shadow->GetPickedNode(), -1);
  loose.leader->EndShadowDrag();
}

TEST(CalloutLeaderShadowInsertPoint, DraggingAPointBeyondTheLeadersLastMovesItFromWhereItStood)
{
  LooseLeader loose({{0, 0, 0}, {10, 0, 0}});
  const du::SmartPtr<CalloutLeaderShadow> shadow = loose.BeginDrag(loose.world.view);
  shadow->InsertPoint(dg::DPoint3D(5, 1, 0)); // the shadow's last point is now its third
  shadow->SetPickedModel(GrabPointAt(*shadow, dg::DPoint3D(10, 0, 0)));
  ASSERT_TRUE(shadow->HandleDragStart());
  ASSERT_EQ(shadow->GetPickedNode(), 2);
  shadow->SetDragOffset(dg::DVec3(1, 2, 0));
  shadow->HandleDragStep();
  ExpectPoint(DrawnPoints(*shadow).at(2), 11, 2, 0);
  loose.leader->EndShadowDrag();
}

TEST(CalloutLeaderShadowDrag, ADragOffEveryGrabPointMovesNothingAndAsksNothing)
{
  LooseLeader loose({{0, 0, 0}, {10, 0, 0}});
  tqannotations::MarkupDrag drag(loose.leader, loose.world.view);
  ASSERT_TRUE(drag.StartAt(5, 0)); // on the line, between its grab points
  const auto shadow = du::SmartPtr<CalloutLeaderShadow>::DynamicCast(drag.GetShadow());
  EXPECT_EQ(shadow->GetPickedNode(), -1);
  const unsigned revision = shadow->GetContentRevision();
  drag.Step(dg::DVec3(3, 3, 0));
  ASSERT_TRUE(drag.Stop(8, 3, nullptr, false));
  EXPECT_EQ(shadow->GetContentRevision(), revision);
  EXPECT_EQ(tqk::Kernel::GetKernel()->GetQueuedCount(), 0u);
}

TEST(CalloutLeaderShadowDrag, InAViewThatIsNotAShapeViewThePointAlwaysGoesBack)
{
  LooseLeader loose({{0, 0, 0}, {10, 0, 0}});
  du::SmartPtr<tqk::View> view(new tqk::View);
  loose.world.scene->AddView(view);
  const du::SmartPtr<CalloutLeaderShadow> shadow = loose.BeginDrag(view);
  shadow->SetPickedModel(GrabPointAt(*shadow, dg::DPoint3D(10, 0, 0)));
  ASSERT_TRUE(shadow->HandleDragStart());
  shadow->SetDragOffset(dg::DVec3(0, 4, 0)); // without a camera, the offset is the scene's
  shadow->HandleDragStep();
  ExpectPoint(DrawnPoints(*shadow).at(1), 10, 4, 0);
  ExpectPoint(DrawnPoints(*shadow).at(0), 0, 0, 0); // only the grabbed point moves
  shadow->SetDragStopPosition(10, 4);
  shadow->HandleDragStop();
  EXPECT_EQ(tqk::Kernel::GetKernel()->GetQueuedCount(), 0u);
  ExpectPoint(DrawnPoints(*shadow).at(1), 10, 0, 0);
  EXPECT_EQ(shadow->GetPickedNode(), -1);
  loose.leader->EndShadowDrag();
}

TEST(CalloutLeaderShadowDrag, TheFirstHitOnTheLeadersPartTakesTheDrop)
{
  LooseLeader loose({{0, 0, 0}, {10, 0, 0}});
  const auto other = loose.world.AddPart("other");
  loose.world.view->SetNextPickAnswer({tqk::PickResult(other, dg::DPoint3D(1, 1, 1)),
                                       tqk::PickResult(loose.part, dg::DPoint3D(2, 2, 2)),
                                       tqk::PickResult(loose.part, dg::DPoint3D(3, 3, 3))});
  tqannotations::MarkupDrag drag(loose.leader, loose.world.view);
  ASSERT_TRUE(drag.StartAt(10, 0));
  drag.Step(dg::DVec3(-8, 2, 0));
  ASSERT_TRUE(drag.Stop(2, 2, nullptr, false));
  tqk::Kernel::GetKernel()->PumpQueue();
  const auto shadow = du::SmartPtr<CalloutLeaderShadow>::DynamicCast(drag.GetShadow());
  ExpectPoint(shadow->GetPoints().at(1), 2, 2, 2);
  ExpectPoint(loose.leader->GetPoints().at(1), 10, 0, 0); // no callout took the drop
}

TEST(CalloutLeaderShadowDrag, ADropOfAPointThatTheRedrawnShadowNoLongerHasChangesNothing)
{
  SceneWithView world;
  tqk::UndoHistory& history = tqk::World::GetWorld()->GetUndoHistory();
  history.Clear();
  du::SmartPtr<TestCallout> callout(new TestCallout);
  callout->_Initialize(Template());
  const auto part = world.AddPart("p");
  const du::SmartPtr<CalloutLeader> leader = callout->AddLeader(part, dg::DPoint3D(10, 0, 0));
  callout->SetLabelPosition(dg::DPoint3D(0, 0, 0));
  callout->AttachScene(world.scene);
  ASSERT_TRUE(leader->BeginShadowDrag(world.view));
  const auto shadow = du::SmartPtr<CalloutLeaderShadow>::DynamicCast(leader->GetShadow());
  shadow->InsertPoint(dg::DPoint3D(5, 1, 0));
  shadow->SetPickedModel(GrabPointAt(*shadow, dg::DPoint3D(10, 0, 0)));
  ASSERT_TRUE(shadow->HandleDragStart());
  ASSERT_EQ(shadow->GetPickedNode(), 2);
  shadow->MarkupChanged(); // drawn from the leader again: its third point is gone
  EXPECT_EQ(shadow->GetPickedNode(), -1);

  world.view->SetNextPickAnswer({tqk::PickResult(part, dg::DPoint3D(12, 3, 0))});
  shadow->SetDragStopPosition(12, 3);
  shadow->HandleDragStop();
  EXPECT_EQ(tqk::Kernel::GetKernel()->GetQueuedCount(), 0u);
  tqk::Kernel::GetKernel()->PumpQueue();
  ExpectPoint(leader->GetPoints().at(1), 10, 0, 0);
  ASSERT_EQ(DrawnPoints(*shadow).size(), 2u);
  ExpectPoint(DrawnPoints(*shadow).at(1), 10, 0, 0);
  EXPECT_EQ(history.GetUndoCount(), 0u);
  leader->EndShadowDrag();
  callout->DetachScene();
}

TEST(CalloutLeaderShadowDrag, AShadowMadeWithoutAViewTakesNoHitOnAWeldedLeader)
{
  SceneWithView world;
  StructureTree structure;
  const auto part = world.AddPart("frame/p");
  du::SmartPtr<CalloutLeader> leader(new CalloutLeader(part, structure.Add("frame", nullptr)));
  leader->AppendPoint(dg::DPoint3D(0, 0, 0));
  leader->AppendPoint(dg::DPoint3D(10, 0, 0));
  const auto shadow = du::SmartPtr<CalloutLeaderShadow>::DynamicCast(
      du::SmartPtr<tqk::Markup>(leader->ConstructShadow(nullptr)));
  ASSERT_TRUE(shadow);
  shadow->InsertPoint(dg::DPoint3D(5, 1, 0));
  shadow->OnReceivePick({tqk::PickResult(part, dg::DPoint3D(5, 2, 0))});
  EXPECT_EQ(shadow->GetPickedNode(), -1) << "the point went back";
}

TEST(CalloutLeaderShadowDrag, TranslateMovesEveryPointFromTheLeader)
{
  LooseLeader loose({{0, 0, 0}, {10, 0, 0}});
  const du::SmartPtr<CalloutLeaderShadow> shadow = loose.NewShadow();
  shadow->Translate(dg::DVec3(1, 2, 3));
  shadow->Translate(dg::DVec3(1, 2, 3));
  ExpectPoint(DrawnPoints(*shadow).at(0), 1, 2, 3);
  ExpectPoint(DrawnPoints(*shadow).at(1), 11, 2, 3);
}

} // namespace
