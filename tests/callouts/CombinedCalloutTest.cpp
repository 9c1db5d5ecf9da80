#include "callouts/CombinedCalloutTestSupport.h"

#include <tqk/MemoryPoolAllocated.h>
#include <tqk/ObjectSelectionItem.h>
#include <tqmu/ModelNote.h>

#include <gtest/gtest.h>

namespace {

using namespace callout_test;
using Members = CombinedCallout::Members;

struct CombinedCalloutTest : CombinedCalloutIllustration
{
};
TEST_F(CombinedCalloutTest, ANoteAndACalloutGiveTheNotesLookAndTheCalloutsLeader)
{
  const du::SmartPtr<Callout> note = Note();
  const du::SmartPtr<Callout> rib = Placed("frame/rib", 2);
  Members members{note, rib};
  du::SmartPtr<CombinedCallout> combined(new CombinedCallout);
  combined->Initialize(members);

  EXPECT_TRUE(combined->IsInitialized());
  EXPECT_EQ(combined->GetType(), Callout::CALLOUT_ITEM);
  EXPECT_EQ(combined->GetCount(), 2u);
  ASSERT_TRUE(combined->GetDefinition());
  EXPECT_EQ(combined->GetDefinition()->id, "note");
  EXPECT_EQ(combined->GetShape(), 3);
  EXPECT_EQ(combined->GetFontColor().GetAsHex(), 0xFF0000u);
  EXPECT_EQ(combined->GetBackgroundColor().GetAsHex(), 0x0000FFu);
  EXPECT_FLOAT_EQ(combined->GetFontSize(), note->GetFontSize());

  ASSERT_EQ(combined->GetLeaderLineCount(false), 1u);
  EXPECT_EQ(combined->GetLeaderLineCount(true), 1u);
  EXPECT_EQ(PartOfLeader(*combined, 0), "frame/rib");
  dg::DPoint3D anchor, expected;
  combined->GetAnchorAtPos(0, anchor);
  rib->GetAnchorAtPos(0, expected);
  ExpectPoint(anchor, expected);
  ExpectPoint(combined->GetPosition(), dg::DPoint3D(5, 35, 1));
  dg::DPoint3D drawn;
  combined->GetMarkupLabelPosition(drawn);
  ExpectPoint(drawn, dg::DPoint3D(25, 35, 1)); // the rib's space carried into the scene
  EXPECT_EQ(combined->GetText(), " ") << "the host sets the text";
}

TEST_F(CombinedCalloutTest, TheLeaderTakesTheFirstLeadersFlagsOfItsMember)
{
  const du::SmartPtr<Callout> plate = Placed("frame/plate", 1);
  plate->SetDimAtPos(true, 0, dg::Color(1, 1, 1, 1));
  du::SmartPtr<CombinedCallout> combined(new CombinedCallout);
  Members members{plate};
  combined->Initialize(members);
  EXPECT_TRUE(combined->IsDimAtPos(0));
  EXPECT_FALSE(combined->IsHiddenAtPos(0));
}

TEST_F(CombinedCalloutTest, ShowsTheFirstMembersCurrentLook)
{
  const du::SmartPtr<Callout> plate = Placed("frame/plate", 1);
  plate->SetFontSize(20.0f);
  plate->SetBackgroundColor(dg::Color(0, 1, 0, 1));
  plate->SetShape(tqmu::ModelNote::HEXAGON);
  plate->SetLineWidth(3.0f); // 4 pixels
  const du::SmartPtr<CombinedCallout> combined = Shown({plate, Placed("frame/rib", 2)});
  const auto label = LabelIn(*scene);
  ASSERT_TRUE(label);
  EXPECT_FLOAT_EQ(label->GetFontSize(), 20.0f);
  EXPECT_EQ(label->GetFillColor(), dg::Color(0, 1, 0, 1));
  EXPECT_EQ(label->GetShape(), tqmu::ModelNote::HEXAGON);
  const auto leaders = LeadersIn(*scene);
  ASSERT_EQ(leaders.size(), 1u);
  EXPECT_EQ(leaders[0]->GetLineWidth(), 4);
  combined->DetachScene();
}

TEST_F(CombinedCalloutTest, ShowsNoLeaderThatItsMemberHid)
{
  const du::SmartPtr<Callout> plate = Placed("frame/plate", 1);
  plate->AttachScene(scene);
  const auto memberLeaders = LeadersIn(*scene);
  ASSERT_EQ(memberLeaders.size(), 1u);
  memberLeaders[0]->SetHidden(true);
  plate->DetachScene();
  const du::SmartPtr<CombinedCallout> combined = Shown({plate, Placed("frame/rib", 2)});
  EXPECT_TRUE(LeadersIn(*scene).empty());
  EXPECT_TRUE(combined->IsHiddenAtPos(0));
  combined->DetachScene();
}

TEST_F(CombinedCalloutTest, OnlyNotesGiveAnInitializedItemCalloutWithoutLeader)
{
  Members members{Note(), nullptr, Note()};
  du::SmartPtr<CombinedCallout> combined(new CombinedCallout);
  combined->Initialize(members);
  EXPECT_TRUE(combined->IsInitialized());
  EXPECT_EQ(combined->GetType(), Callout::CALLOUT_ITEM);
  EXPECT_EQ(combined->GetLeaderLineCount(false), 0u);
  EXPECT_EQ(combined->GetCount(), 3u);
}

TEST_F(CombinedCalloutTest, NothingToTakeTheLookFromLeavesItUnbuilt)
{
  du::SmartPtr<CombinedCallout> combined(new CombinedCallout);
  Members withoutDefinition{new Callout, Placed("frame/rib", 2)};
  combined->Initialize(withoutDefinition);
  EXPECT_EQ(combined->GetCount(), 2u) << "the members are taken";
  EXPECT_FALSE(combined->IsInitialized());
  EXPECT_FALSE(combined->GetDefinition());
  EXPECT_EQ(combined->GetLeaderLineCount(false), 0u);
  EXPECT_EQ(combined->GetType(), Callout::CALLOUT_LEADERS);

  Members none;
  combined->Initialize(none);
  EXPECT_EQ(combined->GetCount(), 2u) << "an empty list changes nothing";
  EXPECT_FALSE(combined->IsInitialized());
}

TEST_F(CombinedCalloutTest, ItemIdsAreTheMembers)
{
  Members members{Placed("frame/plate", 3), Placed("frame/rib", 7), Note()};
  du::SmartPtr<CombinedCallout> combined(new CombinedCallout);
  combined->Initialize(members);
  EXPECT_TRUE(combined->HasItemId());
  EXPECT_TRUE(combined->HasItemId(7));
  EXPECT_TRUE(combined->HasItemId(3));
  EXPECT_FALSE(combined->HasItemId(4));

  combined->SetItemId(4);
  EXPECT_FALSE(combined->HasItemId(4)) << "its own item id is not asked";
  members[0]->RemoveItemId();
  members[1]->RemoveItemId();
  EXPECT_FALSE(combined->HasItemId());
}

TEST_F(CombinedCalloutTest, RemovingFromOneMemberOrAnUnknownIdRemovesNothing)
{
  const du::SmartPtr<CombinedCallout> single = Shown({Placed("frame/plate", 1)});
  EXPECT_FALSE(single->RemoveItemId(1));
  EXPECT_EQ(single->GetCount(), 1u);

  const du::SmartPtr<CombinedCallout> pair = Shown({Placed("frame/plate", 1), Placed("frame/rib", 2)});
  EXPECT_FALSE(pair->RemoveItemId(9));
  EXPECT_EQ(pair->GetCount(), 2u);
}

TEST_F(CombinedCalloutTest, RemovingTheLeadersMemberRebuildsFromTheNextCalloutAndShowsIt)
{
  const du::SmartPtr<Callout> plate = Placed("frame/plate", 1);
  const du::SmartPtr<Callout> note = Note();
  const du::SmartPtr<Callout> cover = Placed("housing/cover", 3);
  const du::SmartPtr<CombinedCallout> combined = Shown({plate, note, cover});
  ASSERT_EQ(LeadersIn(*scene).size(), 1u);
  const du::SmartPtr<CalloutLeader> oldLeader = LeadersIn(*scene)[0];

  EXPECT_EQ(combined->RemoveItemId(1), plate);
  EXPECT_EQ(combined->GetCalloutVec(), (Members{note, cover}));
  EXPECT_EQ(combined->GetDefinition()->id, "note") << "the look of the new first member";
  EXPECT_EQ(combined->GetShape(), 3);
  ASSERT_EQ(combined->GetLeaderLineCount(false), 1u);
  EXPECT_EQ(PartOfLeader(*combined, 0), "housing/cover");
  EXPECT_TRUE(oldLeader->IsDetached()) << "the old leader left the scene";
  const auto shown = LeadersIn(*scene);
  ASSERT_EQ(shown.size(), 1u) << "the new one is shown";
  EXPECT_FALSE(shown[0] == oldLeader);
  EXPECT_EQ(shown[0]->GetShapeInstance(), cover->GetShapeInstanceAtPos(0));
  EXPECT_TRUE(combined->GetAttachedScene() == scene);
  EXPECT_EQ(scene->GetMarkups().size(), 2u) << "one label and one leader";

  EXPECT_EQ(combined->RemoveItemId(3), cover);
  EXPECT_TRUE(LeadersIn(*scene).empty()) << "a note left alone gives no leader";
  EXPECT_EQ(combined->GetLeaderLineCount(true), 0u) << "nor is one saved";
}

TEST_F(CombinedCalloutTest, AssociatedObjectsAreTheMembersInMemberOrder)
{
  Members members{Placed("housing/cover", 3), Note(), Placed("frame/rib", 2)};
  du::SmartPtr<CombinedCallout> combined(new CombinedCallout);
  combined->Initialize(members);
  combined->SetScene(scene);
  std::vector<std::string> paths;
  for (const du::SmartPtr<tqk::Object>& object : combined->GetAssociatedObjects()) {
    const auto item = du::SmartPtr<tqk::ObjectSelectionItem>::DynamicCast(object);
    const auto instance = item ? du::SmartPtr<tqk::Instance>::DynamicCast(item->GetObject()) : nullptr;
    paths.push_back(instance ? instance->GetIDPath().GetText() : "?");
  }
  // The rib is in a weld: its member's objects are the weld's parts.
  ASSERT_GE(paths.size(), 2u);
  EXPECT_EQ(paths.front(), "housing/cover");
  EXPECT_EQ(std::count(paths.begin(), paths.end(), "housing/cover"), 1);
  EXPECT_EQ(paths, [&] {
    std::vector<std::string> expected{"housing/cover"};
    for (const du::SmartPtr<tqk::Object>& object : members[2]->GetAssociatedObjects()) {
      const auto item = du::SmartPtr<tqk::ObjectSelectionItem>::DynamicCast(object);
      expected.push_back(du::SmartPtr<tqk::Instance>::DynamicCast(item->GetObject())->GetIDPath().GetText());
    }
    return expected;
  }());
}

TEST_F(CombinedCalloutTest, AttachingNeedsAnAnnotationSetAndAnEmptySceneDetaches)
{
  const du::SmartPtr<CombinedCallout> combined = Shown({Placed("frame/plate", 1)});
  EXPECT_TRUE(LabelIn(*scene));
  EXPECT_TRUE(combined->AttachScene(nullptr));
  EXPECT_FALSE(LabelIn(*scene));
  EXPECT_FALSE(combined->GetAttachedScene());

  du::SmartPtr<tqk::ShapeScene> bare(new tqk::ShapeScene);
  EXPECT_FALSE(combined->AttachScene(bare));
  EXPECT_TRUE(bare->GetMarkups().empty());
  bare->Close();
}

TEST_F(CombinedCalloutTest, ClosingTheSceneLetsTheCombinedCalloutItsMembersAndTheSceneGo)
{
  Shown({Placed("frame/plate", 1), Placed("frame/rib", 2)});
  illustration.TearDown();
  scene.Reset();
  EXPECT_EQ(tqk::MemoryPoolAllocated::GetLiveCount(), liveBefore)
      << "members must not keep the scene, and through its annotation set themselves, alive";
}

TEST_F(CombinedCalloutTest, AClonedCombinedCalloutCarriesClonesOfItsMembers)
{
  const du::SmartPtr<Callout> plate = Placed("frame/plate", 1);
  const du::SmartPtr<Callout> rib = Placed("frame/rib", 2);
  const du::SmartPtr<CombinedCallout> combined = Shown({plate, rib});
  combined->SetDimAtPos(true, 0, dg::Color(1, 1, 1, 1));
  const auto clone = du::SmartPtr<CombinedCallout>::DynamicCast(combined->Clone());
  ASSERT_TRUE(clone);
  EXPECT_TRUE(clone->CreatedFromFile());
  ASSERT_EQ(clone->GetCount(), 2u);
  EXPECT_FALSE(clone->GetCalloutVec()[0] == plate);
  EXPECT_TRUE(clone->HasItemId(1));
  EXPECT_TRUE(clone->HasItemId(2));
  EXPECT_EQ(clone->GetShape(), combined->GetShape());

  combined->DetachScene();
  scene->GetAnnoSet()->AddAnnotation(clone);
  EXPECT_TRUE(clone->AttachScene(scene));
  EXPECT_EQ(PartOfLeader(*clone, 0), "frame/plate");
  EXPECT_EQ(PartOfLeader(*clone->GetCalloutVec()[1], 0), "frame/rib") << "members' leaders rebuilt";
  ASSERT_EQ(LeadersIn(*scene).size(), 1u) << "the members are not shown";
  EXPECT_TRUE(LeadersIn(*scene)[0]->IsDim());
  EXPECT_EQ(LabelIn(*scene)->GetNote()->GetRenderAttrsVector().dim, 1) << "the dimmed label stays dimmed";
}

} // namespace
