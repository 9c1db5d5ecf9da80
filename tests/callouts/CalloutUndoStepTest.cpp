#include "callouts/CalloutTestSupport.h"

#include <tqannotations/CalloutLeaderOperationStep.h>
#include <tqannotations/CalloutOperationStep.h>

#include <tqk/AnnoSet.h>

#include <gtest/gtest.h>

#include <limits>

namespace {

using namespace callout_test;

//! A callout of the template with leaders on parts of a shape scene that has an annotation set,
//! shown in it.
struct ShownCallout
{
  explicit ShownCallout(int leaders = 1, bool hasLeaders = true)
      : annoSet(new tqk::AnnoSet), callout(new TestCallout)
  {
    world.scene->SetAnnoSet(annoSet);
    callout->_Initialize(Template(hasLeaders));
    for (int index = 0; index < leaders; ++index)
      callout->AddLeader(world.AddPart("part" + std::to_string(index)));
    callout->AttachScene(world.scene);
  }
  ~ShownCallout() { callout->DetachScene(); }

  std::size_t Changes() const { return annoSet->GetModificationCount(); }

  SceneWithView world;
  du::SmartPtr<tqk::AnnoSet> annoSet;
  du::SmartPtr<TestCallout> callout;
};

TEST(CalloutOperationStepMask, EveryFieldHasItsOwnBitWithinTheTenBits)
{
  ShownCallout shown;
  du::SmartPtr<CalloutOperationStep> step(new CalloutOperationStep(shown.callout));
  step->SetText(du::Symbol("Pump"));
  step->SetFontSize(99.0f);
  step->SetFontColor(dg::Color(0.5f, 0, 0, 1));
  step->SetShape(5);
  step->SetFillColor(dg::Color(0, 0.5f, 0, 1));
  step->SetLineStipple(4);
  step->SetLineWeight(7.0f);
  step->SetLineColor(dg::Color(0, 0, 0.5f, 1));
  step->SetHead(9);
  step->SetHalo(!shown.callout->GetHalo());
  EXPECT_EQ(step->GetChangeMask(), 0x3FFu);
}

TEST(CalloutOperationStepName, NamesTheEditedCalloutFromTheCatalogue)
{
  ShownCallout shown;
  du::SmartPtr<CalloutOperationStep> step(new CalloutOperationStep(shown.callout));
  step->SetHead(shown.callout->GetArrowStyle() + 1);
  EXPECT_EQ(step->GetOperationName().GetText(), "Edit " + shown.callout->GetShortObjectDescription());
}

TEST(CalloutOperationStepUndo, AppliesOnlyTheMarkedFieldsAndTellsTheScene)
{
  ShownCallout shown;
  shown.callout->SetBackgroundColor(dg::Color(1, 1, 1, 1));
  shown.callout->SetFontSize(10.0f);
  du::SmartPtr<CalloutOperationStep> step(new CalloutOperationStep(shown.callout));
  step->SetFillColor(dg::Color(1, 0, 0, 1));
  shown.callout->SetBackgroundColor(dg::Color(1, 0, 0, 1));
  shown.callout->SetFontSize(30.0f); // a change the step was not told of

  std::size_t changes = shown.Changes();
  step->Undo();
  EXPECT_EQ(shown.callout->GetBackgroundColor(), dg::Color(1, 1, 1, 1));
  EXPECT_EQ(shown.callout->GetFontSize(), 30.0f);
  EXPECT_GT(shown.Changes(), changes);

  changes = shown.Changes();
  step->Redo();
  EXPECT_EQ(shown.callout->GetBackgroundColor(), dg::Color(1, 0, 0, 1));
  EXPECT_GT(shown.Changes(), changes);
}

TEST(CalloutOperationStepUndo, AnEmptyStepStillTellsTheScene)
{
  ShownCallout shown;
  du::SmartPtr<CalloutOperationStep> step(new CalloutOperationStep(shown.callout));
  const std::size_t changes = shown.Changes();
  step->Undo();
  EXPECT_GT(shown.Changes(), changes);
}

TEST(CalloutOperationStepCopy, CopiesKeepTheSnapshotsExactly)
{
  ShownCallout shown;
  du::SmartPtr<CalloutOperationStep> step(new CalloutOperationStep(shown.callout));
  step->SetFontSize(2.5f);
  du::SmartPtr<CalloutOperationStep> copied(new CalloutOperationStep(*step));
  const CalloutOperationStep& copy = *copied;
  EXPECT_EQ(copy.GetChangeMask(), step->GetChangeMask());
  EXPECT_EQ(copy.GetNewInfo().fontSize, 2.5f);
  EXPECT_EQ(copy.GetOldInfo().fontSize, step->GetOldInfo().fontSize);
}

//! A callout with three leaders: leader 0 shown, leader 1 hidden and detached on a visible part,
//! leader 2 hidden and detached on a part that is not visible.
struct CalloutWithHiddenLeaders
{
  CalloutWithHiddenLeaders() : callout(new TestCallout)
  {
    callout->_Initialize(Template());
    for (int index = 0; index < 3; ++index)
      leaders.push_back(callout->AddLeader(world.AddPart("part" + std::to_string(index))));
    leaders[1]->SetHidden(true);
    leaders[2]->SetHidden(true);
    world.scene->SetVisibility({leaders[2]->GetShapeInstance()->GetInstance()}, false, false);
    callout->AttachScene(world.scene);
  }
  ~CalloutWithHiddenLeaders() { callout->DetachScene(); }

  bool Shown(unsigned index) const
  {
    const du::SmartPtr<CalloutLeader>& leader = leaders[index];
    const bool inScene = world.scene->HoldsMarkup(leader);
    EXPECT_EQ(inScene, !leader->IsDetached()) << "leader " << index;
    EXPECT_EQ(leader->GetController() != nullptr, inScene) << "leader " << index;
    return inScene;
  }
  std::uint64_t LabelStamp() const { return LabelIn(*world.scene)->GetFrontStamp(); }

  SceneWithView world;
  du::SmartPtr<TestCallout> callout;
  std::vector<du::SmartPtr<CalloutLeader>> leaders;
};

TEST(ShowAllLeaders, ShowsHiddenDetachedLeadersOnVisiblePartsWithOneUndoStep)
{
  CalloutWithHiddenLeaders shown;
  ASSERT_TRUE(shown.Shown(0));
  ASSERT_FALSE(shown.Shown(1));
  const std::uint64_t stamp = shown.LabelStamp();
  du::SmartPtr<tqk::Operation> operation(new tqk::Operation("Show", shown.world.scene, true));
  EXPECT_TRUE(shown.callout->ShowAllLeaders(operation));

  EXPECT_TRUE(shown.Shown(1));
  EXPECT_FALSE(shown.leaders[1]->IsHidden());
  EXPECT_FALSE(shown.Shown(2)) << "its part is not visible";
  EXPECT_FALSE(shown.leaders[2]->IsHidden());
  EXPECT_GT(shown.LabelStamp(), stamp) << "the label stays above the new leader";

  ASSERT_EQ(operation->GetSteps().size(), 1u);
  const auto step = du::SmartPtr<CalloutLeaderOperationStep>::DynamicCast(operation->GetSteps()[0]);
  ASSERT_TRUE(step);
  EXPECT_EQ(step->GetOperationName().GetText(), "Show all Leaders");
  ASSERT_EQ(step->GetStatusAfter().size(), 3u);
  const CalloutLeaderOperationStep::LeaderStatus after1 = step->GetStatusAfter()[1];
  EXPECT_TRUE(after1.visible && !after1.detached && !after1.hidden);
  const CalloutLeaderOperationStep::LeaderStatus after2 = step->GetStatusAfter()[2];
  EXPECT_TRUE(!after2.visible && after2.detached && !after2.hidden);
}

TEST(ShowAllLeaders, UndoAndRedoKeepSceneMembershipAndControllersInStep)
{
  CalloutWithHiddenLeaders shown;
  shown.leaders[0]->SetHidden(true); // hidden while shown: not shown all over again
  du::SmartPtr<tqk::Operation> operation(new tqk::Operation("Show", shown.world.scene, true));
  ASSERT_TRUE(shown.callout->ShowAllLeaders(operation));
  tqk::UndoHistory& history = tqk::World::GetWorld()->GetUndoHistory();
  history.Clear();
  ASSERT_TRUE(history.Record(operation));
  const std::size_t markups = shown.world.scene->GetMarkupCount();

  for (int round = 0; round < 2; ++round) {
    ASSERT_TRUE(history.Undo());
    EXPECT_TRUE(shown.Shown(0)) << "a leader the step did not change stays";
    EXPECT_TRUE(shown.leaders[0]->IsHidden());
    EXPECT_FALSE(shown.Shown(1));
    EXPECT_TRUE(shown.leaders[1]->IsHidden());
    EXPECT_FALSE(shown.Shown(2));
    EXPECT_TRUE(shown.leaders[2]->IsHidden());
    EXPECT_EQ(shown.world.scene->GetMarkupCount(), markups - 1);

    const std::uint64_t stamp = shown.LabelStamp();
    ASSERT_TRUE(history.Redo());
    EXPECT_TRUE(shown.Shown(1));
    EXPECT_FALSE(shown.leaders[1]->IsHidden());
    EXPECT_FALSE(shown.Shown(2));
    EXPECT_EQ(shown.world.scene->GetMarkupCount(), markups);
    EXPECT_GT(shown.LabelStamp(), stamp);
  }
  history.Clear();
}

TEST(ShowAllLeaders, ARedoThatShowsNoLeaderLeavesTheLabelWhereItIsDrawn)
{
  CalloutWithHiddenLeaders shown;
  shown.leaders[1]->SetHidden(false); // only leader 2, on the invisible part, is left to show
  du::SmartPtr<tqk::Operation> operation(new tqk::Operation("Show", shown.world.scene, true));
  ASSERT_TRUE(shown.callout->ShowAllLeaders(operation));
  const auto& step = operation->GetSteps().at(0);
  step->Undo();
  EXPECT_TRUE(shown.leaders[2]->IsHidden());
  const std::uint64_t stamp = shown.LabelStamp();
  step->Redo();
  EXPECT_FALSE(shown.leaders[2]->IsHidden());
  EXPECT_EQ(shown.LabelStamp(), stamp);
}

TEST(ShowAllLeaders, NotesAndCalloutsOutsideASceneMakeNoStep)
{
  ShownCallout note(0, false);
  du::SmartPtr<tqk::Operation> operation(new tqk::Operation("Show", note.world.scene, true));
  EXPECT_FALSE(note.callout->ShowAllLeaders(operation));
  du::SmartPtr<TestCallout> loose(new TestCallout);
  loose->_Initialize(Template());
  EXPECT_FALSE(loose->ShowAllLeaders(operation));
  EXPECT_TRUE(operation->GetSteps().empty());
}

} // namespace
