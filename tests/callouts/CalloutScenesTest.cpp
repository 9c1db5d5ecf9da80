#include "callouts/CalloutTestSupport.h"

#include <tqannotations/MarkupDrag.h>

#include <tqk/AnnoSet.h>
#include <tqk/SerializedContentElement.h>
#include <tqk/illustration/IllustrationBuilder.h>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using namespace callout_test;

std::size_t CountChildren(const tqk::SerializedContentElement& element, const char* name)
{
  std::size_t count = 0;
  for (const auto& entry : element.GetEntries())
    if (entry.child && entry.child->GetName() == du::Symbol(name))
      ++count;
  return count;
}

//! The sample illustration (parts "frame/plate", "frame/rib", "housing/cover", "housing/bolt")
//! with an annotation set that counts change notices.
struct Scenes : ::testing::Test
{
  void SetUp() override
  {
    illustration.BuildSample();
    annoSet = new tqk::AnnoSet;
    illustration.GetScene()->SetAnnoSet(annoSet);
  }
  void TearDown() override
  {
    for (const auto& callout : callouts)
      callout->DetachScene();
    illustration.TearDown();
  }
  du::SmartPtr<TestCallout> NewCallout()
  {
    callouts.push_back(new TestCallout);
    callouts.back()->_Initialize(Template());
    return callouts.back();
  }
  du::SmartPtr<tqk::ShapeInstance> Part(const char* idPath) { return illustration.FindPart(idPath); }
  std::vector<du::SmartPtr<tqk::Markup>> Markups() const { return illustration.GetScene()->GetMarkups(); }

  tqk::illustration::IllustrationBuilder illustration;
  du::SmartPtr<tqk::AnnoSet> annoSet;
  std::vector<du::SmartPtr<TestCallout>> callouts;
};

TEST_F(Scenes, SubsetsActOnEveryLeaderOfThePart)
{
  const auto callout = NewCallout();
  const auto first = callout->AddLeader(Part("frame/plate"));
  const auto second = callout->AddLeader(Part("frame/plate"), dg::DPoint3D(1, 1, 0));
  const auto cover = callout->AddLeader(Part("housing/cover"));
  first->SetHidden(true);
  callout->AttachSubsetScene(illustration.GetScene(), "frame/plate");
  EXPECT_TRUE(first->IsDetached());
  EXPECT_FALSE(second->IsDetached()) << "a hidden first leader does not stop the second";
  EXPECT_TRUE(cover->IsDetached());
  EXPECT_EQ(Markups().size(), 2u);

  callout->AttachSubsetScene(illustration.GetScene(), "housing/cover");
  callout->DetachSubsetScene("housing/cover");
  EXPECT_TRUE(cover->IsDetached());
  EXPECT_TRUE(LabelIn(*illustration.GetScene())) << "the label stays with a leader shown";
  callout->SetVisible("frame/plate", false);
  EXPECT_TRUE(Markups().empty());
  callout->SetVisible("frame/plate", true);
  EXPECT_EQ(Markups().size(), 2u);
  callout->DetachSubsetScene("no such part");
  callout->DetachSubsetScene("");
  EXPECT_TRUE(Markups().empty());
}

TEST_F(Scenes, ANoteShowsItsLabelDirectly)
{
  du::SmartPtr<TestCallout> note(new TestCallout);
  callouts.push_back(note);
  note->InitializeAsNote(Template(false));
  note->AttachScene(illustration.GetScene());
  ASSERT_EQ(Markups().size(), 1u);
  EXPECT_TRUE(LabelIn(*illustration.GetScene()));
  note->DetachScene();
  EXPECT_TRUE(Markups().empty());
  EXPECT_TRUE(note->DetachScene()) << "detaching again removes nothing";
}

TEST_F(Scenes, AFirstRecordWithoutALeaderStillDecidesWhereTheLabelGoes)
{
  CalloutInfo info;
  info.position = dg::DPoint3D(1, 2, 0);
  for (const char* id : {"frame/rib", "housing/cover"}) {
    info.leaderRecords.push_back(new CalloutLeaderInfo);
    info.leaderRecords.back()->shapeInstanceId = id;
  }
  du::SmartPtr<Callout> hiddenFirst(new Callout(info));
  illustration.GetScene()->SetVisibility({Part("frame/rib")->GetInstance()}, false, false);
  hiddenFirst->AttachScene(illustration.GetScene());
  ASSERT_FALSE(hiddenFirst->GetShapeInstanceAtPos(0)) << "no leader on a hidden part";
  ASSERT_EQ(Markups().size(), 2u) << "the cover's leader and the label";
  dg::DPoint3D label;
  hiddenFirst->GetMarkupLabelPosition(label);
  EXPECT_EQ(label.x, 21.0) << "the stored position carried by the hidden rib's placement (x 20)";
  EXPECT_EQ(label.y, 2.0);
  const auto cover = du::SmartPtr<CalloutLeader>::DynamicCast(Markups()[0]);
  ASSERT_TRUE(cover);
  EXPECT_EQ(cover->GetPoints()[0].x, label.x);
  EXPECT_EQ(cover->GetPoints()[0].y, label.y);
  EXPECT_EQ(hiddenFirst->GetPosition().x, 1.0) << "still stored in the rib's space";
  hiddenFirst->DetachScene();

  info.leaderRecords[0]->shapeInstanceId = "no/such/part";
  du::SmartPtr<Callout> missingFirst(new Callout(info));
  missingFirst->AttachScene(illustration.GetScene());
  ASSERT_EQ(Markups().size(), 1u) << "a label whose space is unknown stays out of the scene";
  const auto shown = du::SmartPtr<CalloutLeader>::DynamicCast(Markups()[0]);
  ASSERT_TRUE(shown);
  EXPECT_EQ(shown->GetPoints()[0].x, 1.0) << "the label end stays where the record put it";
  EXPECT_EQ(shown->GetPoints()[0].y, 2.0);
  EXPECT_EQ(missingFirst->GetPosition().x, 1.0);
  missingFirst->DetachScene();
  EXPECT_TRUE(Markups().empty());
}

TEST_F(Scenes, ALoadedCalloutWhoseFirstPartIsHiddenStillMovesAndTakesNewLeaders)
{
  CalloutInfo info;
  info.position = dg::DPoint3D(1, 2, 0);
  for (const char* id : {"frame/rib", "housing/cover"}) {
    info.leaderRecords.push_back(new CalloutLeaderInfo);
    info.leaderRecords.back()->shapeInstanceId = id;
  }
  callouts.push_back(new TestCallout(info));
  const du::SmartPtr<TestCallout> loaded = callouts.back();
  illustration.GetScene()->SetVisibility({Part("frame/rib")->GetInstance()}, false, false);
  loaded->AttachScene(illustration.GetScene());
  ASSERT_EQ(Markups().size(), 2u) << "the cover's leader and the label";
  const auto cover = du::SmartPtr<CalloutLeader>::DynamicCast(Markups()[0]);
  ASSERT_TRUE(cover);

  loaded->SetLabelPosition(dg::DPoint3D(3, 4, 0));
  dg::DPoint3D label;
  loaded->GetMarkupLabelPosition(label);
  EXPECT_EQ(label.x, 23.0) << "placed in the hidden rib's space (x 20)";
  EXPECT_EQ(label.y, 4.0);
  EXPECT_EQ(cover->GetPoints()[0].x, 23.0) << "the shown leader follows the label";

  tqannotations::MarkupDrag drag(LabelIn(*illustration.GetScene()), illustration.GetView());
  ASSERT_TRUE(drag.StartAt(23, 4));
  drag.Step(dg::DVec3(5, 0, 0));
  ASSERT_TRUE(drag.Stop(28, 4, nullptr));
  EXPECT_EQ(loaded->GetPosition().x, 8.0) << "the dragged label is stored in the rib's space";
  loaded->GetMarkupLabelPosition(label);
  EXPECT_EQ(label.x, 28.0);
  EXPECT_EQ(cover->GetPoints()[0].x, 28.0);

  loaded->ConnectLeader(loaded->CreateCalloutLeader(dg::DPoint3D(5, 5, 1), Part("frame/plate"), nullptr));
  loaded->AttachScene(illustration.GetScene());
  ASSERT_EQ(Markups().size(), 3u) << "the new leader is shown";
  EXPECT_TRUE(loaded->GetShapeInstanceAtPos(2) == Part("frame/plate"));
  du::SmartPtr<CalloutLeader> plate;
  for (const auto& markup : Markups())
    if (const auto leader = du::SmartPtr<CalloutLeader>::DynamicCast(markup))
      if (leader->GetShapeInstanceId() == "frame/plate")
        plate = leader;
  ASSERT_TRUE(plate);
  EXPECT_EQ(plate->GetPoints()[0].x, label.x) << "the new leader starts at the drawn label";
  EXPECT_EQ(plate->GetPoints()[0].y, label.y);
  tqk::SerializedContentElement saved;
  loaded->SerializeContent(saved);
  EXPECT_EQ(CountChildren(saved, "leader"), 3u) << "the hidden rib's record is kept beside the new leader";
}

TEST_F(Scenes, ALeaderAddedBeforeTheLoadedLeadersAreRebuiltIsShownOnce)
{
  CalloutInfo info;
  info.position = dg::DPoint3D(1, 2, 0);
  for (const char* id : {"frame/rib", "housing/cover"}) {
    info.leaderRecords.push_back(new CalloutLeaderInfo);
    info.leaderRecords.back()->shapeInstanceId = id;
  }
  callouts.push_back(new TestCallout(info));
  const du::SmartPtr<TestCallout> loaded = callouts.back();
  // Given the scene without being shown in it, as a combined callout lends its scene.
  loaded->SetScene(illustration.GetScene());
  loaded->SetLabelPosition(dg::DPoint3D(3, 4, 0));
  loaded->ConnectLeader(loaded->CreateCalloutLeader(dg::DPoint3D(5, 5, 1), Part("frame/plate"), nullptr));
  loaded->DetachScene();
  loaded->AttachScene(illustration.GetScene());
  std::vector<std::string> shown;
  for (const auto& markup : Markups())
    if (const auto leader = du::SmartPtr<CalloutLeader>::DynamicCast(markup))
      shown.push_back(leader->GetShapeInstanceId());
  std::sort(shown.begin(), shown.end());
  EXPECT_EQ(shown, (std::vector<std::string>{"frame/plate", "frame/rib", "housing/cover"}));
  tqk::SerializedContentElement saved;
  loaded->SerializeContent(saved);
  EXPECT_EQ(CountChildren(saved, "leader"), 3u);
}

TEST_F(Scenes, ARecordsAssemblyMustBeInTheStructureTree)
{
  CalloutInfo info;
  for (const char* assembly : {"housing", "no/such/assembly"}) {
    info.leaderRecords.push_back(new CalloutLeaderInfo);
    info.leaderRecords.back()->shapeInstanceId = "housing/cover";
    info.leaderRecords.back()->assemblyInstanceId = assembly;
  }
  for (const char* part : {"no/such/part", "gone"}) {
    info.leaderRecords.push_back(new CalloutLeaderInfo);
    info.leaderRecords.back()->shapeInstanceId = part;
  }
  // a node whose engineering instance is missing
  illustration.GetTree()->AddInstance(
      nullptr,
      new tqk::illustration::SbomInstance(du::Symbol("gone"), du::Symbol("gone"), du::Symbol("gone")));
  du::SmartPtr<Callout> loaded(new Callout(info));
  loaded->SetScene(illustration.GetScene());
  EXPECT_EQ(loaded->UpdateWithCalloutInfo(), 2u)
      << "unknown and missing parts are counted, an unknown assembly not";
  const du::SmartPtr<tqk::BaseInstance> assembly = loaded->GetAssemblyInstanceAtPos(0);
  ASSERT_TRUE(assembly);
  EXPECT_EQ(assembly->GetIDPath(), du::Symbol("housing"));
  EXPECT_FALSE(loaded->GetShapeInstanceAtPos(1)) << "no leader without its assembly";
}

} // namespace
