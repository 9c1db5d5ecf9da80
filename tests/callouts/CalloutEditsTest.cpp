#include "callouts/CalloutTestSupport.h"

#include <tqannotations/CalloutLeaderShadow.h>
#include <tqannotations/MarkupDrag.h>
#include <tqannotations/MoveOperationStep.h>

#include <tqk/Kernel.h>
#include <tqk/MemoryPoolAllocated.h>
#include <tqk/RecordOperation.h>
#include <tqk/illustration/IllustrationBuilder.h>
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

dg::DPoint3D AnchorEnd(const CalloutLeader& leader) { return leader.GetPoints().at(1); }

//! The points the shadow draws: the vertices of the line in its drawing model.
std::vector<dg::DPoint3D> DrawnPoints(const CalloutLeaderShadow& shadow)
{
  const auto content = du::SmartPtr<tqmu::MarkupData>::DynamicCast(shadow.GetContent());
  const auto container = du::SmartPtr<tqmu::ModelContainer>::DynamicCast(content->GetModelBase());
  for (const du::SmartPtr<tqmu::ModelBase>& child : container->GetChildren())
    if (const auto line = du::SmartPtr<tqmu::ModelLineStrip>::DynamicCast(child))
      return line->GetVertices();
  return {};
}

const MoveOperationStep& MoveStep(const tqk::Operation& operation, std::size_t index = 0)
{
  return dynamic_cast<const MoveOperationStep&>(*operation.GetSteps().at(index));
}

//! The sample illustration with a callout placed on one of its parts and shown. The view maps
//! scene x and y to pixels one to one; each sample part is a 10 x 10 x 2 box whose corner sits
//! at x = 0, 20, 40 and 60 ("frame/plate", "frame/rib", "housing/cover", "housing/bolt"); the
//! callout's anchor is the centre of its part's box.
struct PlacedCallout
{
  explicit PlacedCallout(const std::string& partPath, bool inWeld = false)
      : liveBefore(tqk::MemoryPoolAllocated::GetLiveCount()), callout(new Callout)
  {
    history().Clear();
    builder.BuildSample();
    part = builder.FindPart(partPath);
    const du::SmartPtr<tqk::BaseInstance> assembly =
        inWeld ? builder.GetTree()->FindInstance(du::Symbol("frame")) : nullptr;
    callout->Initialize(Template(), part, false, assembly);
    callout->AttachScene(builder.GetScene());
    leader = du::SmartPtr<CalloutLeader>::DynamicCast(builder.GetScene()->GetMarkups().at(0));
    label = LabelIn(*builder.GetScene());
  }
  ~PlacedCallout()
  {
    history().Clear(); // its steps hold the callout
    callout->DetachScene();
    callout.Reset();
    leader.Reset();
    label.Reset();
    part.Reset();
    builder.TearDown();
    EXPECT_EQ(tqk::MemoryPoolAllocated::GetLiveCount(), liveBefore) << "something was left alive";
  }

  static tqk::UndoHistory& history() { return tqk::World::GetWorld()->GetUndoHistory(); }
  du::SmartPtr<tqk::Operation> HostOperation(const char* name) const
  {
    return new tqk::Operation(name, builder.GetScene(), true);
  }
  const du::SmartPtr<tqk::ShapeView>& view() const { return builder.GetView(); }

  //! Drags the leader's point at the pixel by the offset in pixels and drops it, pumping the
  //! kernel's queue as the host does; the shadow stays for the test to look at until Finish.
  void DragLeaderPoint(tqannotations::MarkupDrag& drag, int x, int y, int dx, int dy)
  {
    ASSERT_TRUE(drag.StartAt(x, y));
    drag.Step(dg::DVec3(dx, dy, 0));
    ASSERT_TRUE(drag.Stop(x + dx, y + dy, HostOperation("Drag"), false));
    tqk::Kernel::GetKernel()->PumpQueue();
  }
  du::SmartPtr<CalloutLeaderShadow> ShadowOf(const tqannotations::MarkupDrag& drag) const
  {
    return du::SmartPtr<CalloutLeaderShadow>::DynamicCast(drag.GetShadow());
  }

  std::size_t liveBefore;
  tqk::illustration::IllustrationBuilder builder;
  du::SmartPtr<tqk::ShapeInstance> part;
  du::SmartPtr<Callout> callout;
  du::SmartPtr<CalloutLeader> leader;
  du::SmartPtr<tqmk::CalloutLabel> label;
};

TEST(CalloutDrags, AnAnchorDropMakesOneMoveStepInSceneSpace)
{
  PlacedCallout placed("frame/rib");
  tqannotations::MarkupDrag drag(placed.leader, placed.view());
  placed.DragLeaderPoint(drag, 25, 5, -4, 1);
  drag.Finish();
  ASSERT_EQ(placed.history().GetUndoCount(), 1u);
  ASSERT_TRUE(placed.history().Undo());
  ASSERT_TRUE(placed.history().Redo());
  ExpectPoint(AnchorEnd(*placed.leader), 21, 6, 0);
  dg::DPoint3D anchor;
  ASSERT_TRUE(placed.callout->GetAnchorAtPos(0, anchor));
  ExpectPoint(anchor, 1, 6, 0);
}

TEST(CalloutDrags, ADropOnAnotherPartOrOnNothingSpringsBack)
{
  PlacedCallout placed("frame/rib");
  for (const int dx : {20, 0}) { // onto the cover; beyond every part
    tqannotations::MarkupDrag drag(placed.leader, placed.view());
    placed.DragLeaderPoint(drag, 25, 5, dx, dx == 0 ? 100 : 0);
    const du::SmartPtr<CalloutLeaderShadow> shadow = placed.ShadowOf(drag);
    ExpectPoint(DrawnPoints(*shadow).at(1), 25, 5, 1);
    EXPECT_EQ(shadow->GetPickedNode(), -1);
  }
  ExpectPoint(AnchorEnd(*placed.leader), 25, 5, 1);
  EXPECT_EQ(placed.history().GetUndoCount(), 0u);
}

TEST(CalloutDrags, ALeaderPickedInAWeldTakesADropOnAnotherMemberOfTheWeld)
{
  PlacedCallout placed("frame/plate", true);
  {
    tqannotations::MarkupDrag drag(placed.leader, placed.view());
    placed.DragLeaderPoint(drag, 5, 5, 40, 0); // onto the cover, outside the weld
  }
  ExpectPoint(AnchorEnd(*placed.leader), 5, 5, 1);
  {
    tqannotations::MarkupDrag drag(placed.leader, placed.view());
    placed.DragLeaderPoint(drag, 5, 5, 20, 2); // onto the rib, welded to the plate
  }
  ExpectPoint(AnchorEnd(*placed.leader), 25, 7, 0);
  EXPECT_EQ(placed.leader->GetShapeInstance(), placed.part) << "the leader stays on its part";
  EXPECT_EQ(placed.history().GetUndoCount(), 1u);
}

TEST(CalloutDrags, AnAnswerAfterTheDragEndedStillDropsThePoint)
{
  PlacedCallout placed("frame/rib");
  {
    tqannotations::MarkupDrag drag(placed.leader, placed.view());
    ASSERT_TRUE(drag.StartAt(25, 5));
    drag.Step(dg::DVec3(1, 1, 0));
    ASSERT_TRUE(drag.Stop(26, 6, nullptr, false));
    drag.Finish(); // the leader lets its shadow go before the kernel answers
  }
  EXPECT_FALSE(placed.leader->GetShadow());
  tqk::Kernel::GetKernel()->PumpQueue();
  ExpectPoint(AnchorEnd(*placed.leader), 26, 6, 0);
}

TEST(CalloutDrags, APickWithoutAnswerSpringsBack)
{
  PlacedCallout placed("frame/rib");
  tqannotations::MarkupDrag drag(placed.leader, placed.view());
  ASSERT_TRUE(drag.StartAt(25, 5));
  drag.Step(dg::DVec3(1, 1, 0));
  ASSERT_TRUE(drag.Stop(26, 6, nullptr, false));
  placed.builder.GetScene()->RemoveView(placed.view()); // the view shows no scene when asked
  tqk::Kernel::GetKernel()->PumpQueue();
  const du::SmartPtr<CalloutLeaderShadow> shadow = placed.ShadowOf(drag);
  ExpectPoint(DrawnPoints(*shadow).at(1), 25, 5, 1);
  EXPECT_EQ(shadow->GetPickedNode(), -1);
  ExpectPoint(AnchorEnd(*placed.leader), 25, 5, 1);
}

TEST(CalloutDrags, ACancelledPickSpringsBackAndRecordsNothing)
{
  PlacedCallout placed("frame/rib");
  tqannotations::MarkupDrag drag(placed.leader, placed.view());
  ASSERT_TRUE(drag.StartAt(25, 5));
  drag.Step(dg::DVec3(1, 1, 0));
  placed.view()->CancelNextPick();
  ASSERT_TRUE(drag.Stop(26, 6, nullptr, false));
  tqk::Kernel::GetKernel()->PumpQueue();
  const du::SmartPtr<CalloutLeaderShadow> shadow = placed.ShadowOf(drag);
  ExpectPoint(DrawnPoints(*shadow).at(1), 25, 5, 1);
  EXPECT_EQ(shadow->GetPickedNode(), -1);
  ExpectPoint(AnchorEnd(*placed.leader), 25, 5, 1);
  EXPECT_EQ(placed.history().GetUndoCount(), 0u);
}

TEST(CalloutDrags, ADropWhereThePointAlreadyIsHandsNoOperationToTheHistory)
{
  PlacedCallout placed("frame/rib");
  const auto dropAt = [&placed](int x, int y, int dx, int dy) {
    tqannotations::MarkupDrag drag(placed.leader, placed.view());
    ASSERT_TRUE(drag.StartAt(x, y));
    drag.Step(dg::DVec3(dx, dy, 0));
    ASSERT_TRUE(drag.Stop(x + dx, y + dy, nullptr));
  };
  std::size_t offered = tqk::GetOfferedOperationCount();
  dropAt(25, 5, 2, 3); // onto the rib's near face, at z = 0
  ExpectPoint(AnchorEnd(*placed.leader), 27, 8, 0);
  EXPECT_EQ(tqk::GetOfferedOperationCount(), offered + 1);

  offered = tqk::GetOfferedOperationCount();
  dropAt(27, 8, 0, 0); // picked where the point is: the leader does not change
  ExpectPoint(AnchorEnd(*placed.leader), 27, 8, 0);
  EXPECT_EQ(tqk::GetOfferedOperationCount(), offered) << "an entry that undoes nothing";
  EXPECT_EQ(placed.history().GetUndoCount(), 1u);
}

TEST(CalloutDrags, ALabelDragWithoutOperationMovesWithoutStep)
{
  PlacedCallout placed("frame/plate");
  tqannotations::MarkupDrag drag(placed.label, placed.view());
  ASSERT_TRUE(drag.StartAt(5, 5));
  drag.Step(dg::DVec3(1, 1, 0));
  ASSERT_TRUE(drag.Stop(6, 6, nullptr));
  ExpectPoint(placed.label->GetPos(), 6, 6, 1);
  EXPECT_EQ(placed.history().GetUndoCount(), 0u);
}

TEST(CalloutDrags, ANoteLabelStepCarriesScenePositions)
{
  SceneWithView world;
  du::SmartPtr<Callout> note(new Callout);
  note->InitializeAsNote(Template(false));
  note->SetLabelPosition(dg::DPoint3D(3, 4, 0));
  note->AttachScene(world.scene);
  const du::SmartPtr<tqmk::CalloutLabel> label = LabelIn(*world.scene);
  tqannotations::MarkupDrag drag(label, world.view);
  ASSERT_TRUE(drag.StartAt(3, 4));
  drag.Step(dg::DVec3(5, 0, 0));
  const du::SmartPtr<tqk::Operation> operation(new tqk::Operation("Move", world.scene, false));
  ASSERT_TRUE(drag.Stop(8, 4, operation));
  ExpectPoint(MoveStep(*operation).GetOldLocation().GetPosition(), 3, 4, 0);
  ExpectPoint(MoveStep(*operation).GetNewLocation().GetPosition(), 8, 4, 0);
  ExpectPoint(note->GetPosition(), 8, 4, 0);
  note->DetachScene();
}

TEST(CalloutMarkupLocation, LabelAndAnchorLocationsRoundTrip)
{
  PlacedCallout placed("housing/cover"); // placed at x = 40
  placed.callout->SetMarkupLocation(0, dg::Location(dg::FMat33::IDENTITY, dg::DPoint3D(1, 2, 3)));
  for (const unsigned index : {0u, 3u}) {
    dg::Location location(dg::DPoint3D(9, 9, 9), dg::Quat(0, 0, 1, 0), 2.0);
    placed.callout->GetMarkupLocation(index, location);
    ExpectPoint(location.GetPosition(), 1, 2, 3);
    EXPECT_TRUE(location.GetOrientation() == dg::FMat33::IDENTITY);
  }
  placed.callout->SetMarkupLocation(1, dg::Location(dg::FMat33::IDENTITY, dg::DPoint3D(41, 1, 0)));
  ExpectPoint(placed.leader->GetAnchor(), 1, 1, 0);
  placed.callout->SetMarkupLocation(2, dg::Location(dg::FMat33::IDENTITY, dg::DPoint3D(0, 0, 0)));
  ExpectPoint(placed.leader->GetAnchor(), 1, 1, 0);

  du::SmartPtr<tqk::Markup> shadow(placed.label);
  placed.callout->GetMarkupShadow(shadow);
  EXPECT_FALSE(shadow) << "no label drag is in progress";
}

//! A callout with leaders on parts of a plain shape scene, shown in it.
struct CalloutOnParts
{
  CalloutOnParts() : callout(new TestCallout) { callout->_Initialize(Template()); }
  ~CalloutOnParts() { callout->DetachScene(); }

  du::SmartPtr<CalloutLeader> Add(const du::SmartPtr<tqk::ShapeInstance>& part, const dg::DPoint3D& anchor)
  {
    return callout->AddLeader(part, anchor);
  }

  SceneWithView world;
  du::SmartPtr<TestCallout> callout;
};

TEST(CalloutPartCreated, LeadersOfTheSameIdPathMoveToTheNewPartAndShowOnTheNextAttach)
{
  CalloutOnParts shown;
  StructureTree structure;
  const auto old = shown.world.AddPart("asm/p");
  const auto node = structure.Add("asm/p", old->GetInstance());
  const auto first = shown.Add(old, dg::DPoint3D(1, 0, 0));
  const auto second = shown.Add(old, dg::DPoint3D(2, 0, 0));
  shown.callout->AttachScene(shown.world.scene);
  ASSERT_TRUE(shown.world.scene->HoldsMarkup(first));

  du::SmartPtr<tqk::Instance> instance(new tqk::Instance(du::Symbol("asm/p#2")));
  instance->SetSbomInstance(node.Get());
  const auto created = shown.world.scene->CreateShapeInstance(instance, nullptr, Translation(0, 50, 0));
  shown.callout->OnShapeInstanceCreate(created);
  for (const auto& leader : {first, second}) {
    EXPECT_EQ(leader->GetShapeInstance(), created);
    EXPECT_TRUE(leader->IsDetached());
    EXPECT_FALSE(shown.world.scene->HoldsMarkup(leader));
    EXPECT_EQ(leader->GetController(), nullptr);
  }
  ExpectPoint(AnchorEnd(*second), 2, 50, 0);

  shown.callout->AttachSubsetScene(shown.world.scene, std::string());
  EXPECT_TRUE(shown.world.scene->HoldsMarkup(first));
  EXPECT_TRUE(shown.world.scene->HoldsMarkup(second));
  shown.callout->OnShapeInstanceCreate(created); // bound already: nothing changes
  EXPECT_TRUE(shown.world.scene->HoldsMarkup(first));
}

TEST(CalloutPartCreated, APartWithoutIdPathTakesNoLeaderOfAPartWithoutOne)
{
  CalloutOnParts shown;
  const auto old = shown.world.AddPart("p"); // in no structure tree: no id path
  const auto leader = shown.Add(old, dg::DPoint3D(1, 0, 0));
  shown.callout->AttachScene(shown.world.scene);
  ASSERT_EQ(leader->GetShapeInstanceId(), "");

  const auto created = shown.world.AddPart("q", Translation(0, 50, 0));
  shown.callout->OnShapeInstanceCreate(created);
  EXPECT_EQ(leader->GetShapeInstance(), old);
  EXPECT_TRUE(shown.world.scene->HoldsMarkup(leader));
  ExpectPoint(AnchorEnd(*leader), 1, 0, 0);
}

TEST(CalloutPartCreated, ALeaderAlreadyOnThePartLeavesLaterLeadersOfItsIdPathAlone)
{
  CalloutOnParts shown;
  StructureTree structure;
  const auto old = shown.world.AddPart("asm/p");
  const auto node = structure.Add("asm/p", old->GetInstance());
  du::SmartPtr<tqk::Instance> instance(new tqk::Instance(du::Symbol("asm/p#2")));
  instance->SetSbomInstance(node.Get());
  const auto created = shown.world.scene->CreateShapeInstance(instance, nullptr, Translation(0, 50, 0));
  const auto bound = shown.Add(created, dg::DPoint3D(1, 0, 0));
  const auto later = shown.Add(old, dg::DPoint3D(2, 0, 0));
  ASSERT_EQ(later->GetShapeInstanceId(), bound->GetShapeInstanceId());
  shown.callout->AttachScene(shown.world.scene);
  ASSERT_TRUE(shown.world.scene->HoldsMarkup(later));

  shown.callout->OnShapeInstanceCreate(created);
  EXPECT_EQ(later->GetShapeInstance(), old);
  EXPECT_FALSE(later->IsDetached());
  EXPECT_TRUE(shown.world.scene->HoldsMarkup(later));
  ExpectPoint(AnchorEnd(*later), 2, 0, 0);
}

} // namespace
