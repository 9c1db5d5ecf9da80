#include "callouts/CalloutTestSupport.h"

#include <tqmk/MarkupShadow.h>

#include <gtest/gtest.h>

namespace {

using namespace callout_test;

TEST(CalloutLeader, StartsDetachedShownAndUndimmed)
{
  SceneWithView world;
  du::SmartPtr<CalloutLeader> plain(new CalloutLeader);
  du::SmartPtr<CalloutLeader> bound(new CalloutLeader(world.AddPart("p"), nullptr));
  for (const auto& leader : {plain, bound}) {
    EXPECT_TRUE(leader->IsDetached());
    EXPECT_FALSE(leader->IsHidden());
    EXPECT_FALSE(leader->IsDim());
    EXPECT_EQ(leader->GetShapeInstanceId(), "");
    EXPECT_EQ(leader->GetAssemblyInstanceId(), "");
  }
}

TEST(CalloutLeader, IdsAreTheStructureTreePaths)
{
  SceneWithView world;
  StructureTree structure;
  const du::SmartPtr<tqk::ShapeInstance> part = world.AddPart("ebom/p1");
  const auto assembly = structure.Add("asm", nullptr);
  structure.Add("asm/p1", part->GetInstance(), assembly);
  du::SmartPtr<CalloutLeader> leader(new CalloutLeader(part, assembly));
  EXPECT_EQ(leader->GetShapeInstanceId(), "asm/p1");
  EXPECT_EQ(leader->GetAssemblyInstanceId(), "asm");
  EXPECT_TRUE(leader->GetShapeInstance() == part);
  EXPECT_TRUE(leader->GetAssemblyInstance() == assembly);
}

TEST(CalloutLeader, TheAnchorStaysInPartSpaceWhilePointOneFollowsThePart)
{
  SceneWithView world;
  const du::SmartPtr<tqk::ShapeInstance> part = world.AddPart("p", Translation(10, 0, 0));
  du::SmartPtr<CalloutLeader> leader(new CalloutLeader(part, nullptr));
  leader->AppendPoint(dg::DPoint3D(0, 0, 0));
  leader->AppendPoint(dg::DPoint3D(0, 0, 0));
  leader->AppendPoint(dg::DPoint3D(9, 9, 9));
  world.scene->SetShapeInstanceLocation(part, Translation(10, 20, 0));
  leader->SetAnchor(dg::DPoint3D(1, 2, 3));
  EXPECT_EQ(leader->GetAnchor().y, 2.0);
  const std::vector<dg::DPoint3D> points = leader->GetPoints();
  EXPECT_EQ(points[1].x, 11.0);
  EXPECT_EQ(points[1].y, 22.0);
  EXPECT_EQ(points[1].z, 3.0);
  EXPECT_EQ(points[2].x, 9.0) << "only point 1 moves";

  du::SmartPtr<CalloutLeader> unbound(new CalloutLeader);
  unbound->AppendPoint(dg::DPoint3D());
  unbound->AppendPoint(dg::DPoint3D());
  unbound->SetAnchor(dg::DPoint3D(4, 5, 6));
  EXPECT_EQ(unbound->GetPoints()[1].y, 5.0) << "without a part the anchor is used as it is";
}

TEST(CalloutLeader, AHiddenLeaderMakesNoShadow)
{
  du::SmartPtr<tqk::View> view(new tqk::ShapeView);
  du::SmartPtr<CalloutLeader> leader(new CalloutLeader);
  leader->SetDetached(true);
  du::SmartPtr<tqk::Markup> shadow(leader->ConstructShadow(view));
  ASSERT_TRUE(shadow) << "a detached leader that is not hidden can be dragged";
  EXPECT_TRUE(du::SmartPtr<tqmk::MarkupShadow>::DynamicCast(shadow));
  leader->SetHidden(true);
  EXPECT_EQ(leader->ConstructShadow(view), nullptr);
}

TEST(CalloutLeaderRecords, ARecordSnapshotsTheLeaderWhenItIsAppended)
{
  SceneWithView world;
  StructureTree structure;
  const du::SmartPtr<tqk::ShapeInstance> part = world.AddPart("ebom/p1");
  structure.Add("p1", part->GetInstance());
  du::SmartPtr<TestCallout> callout(new TestCallout);
  callout->_Initialize(Template());
  callout->AddLeader(part, dg::DPoint3D(1, 2, 3));
  EXPECT_EQ(callout->GetShapeInstanceIdAtPos(0), "p1");
  EXPECT_EQ(callout->GetInstanceId(), "p1");
  std::string partId;
  std::string assemblyId = "untouched";
  dg::DPoint3D anchor;
  bool attached = true;
  callout->GetLeaderInfoAtPos(0, partId, assemblyId, anchor, attached);
  EXPECT_EQ(partId, "p1");
  EXPECT_EQ(assemblyId, "");
  EXPECT_EQ(anchor.z, 3.0);
  EXPECT_FALSE(attached);
  callout->GetLeaderInfoAtPos(1, partId, assemblyId, anchor, attached);
  EXPECT_EQ(partId, "p1") << "out of range leaves the outputs";
}

} // namespace
