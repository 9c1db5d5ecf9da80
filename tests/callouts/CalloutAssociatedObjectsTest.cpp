#include "callouts/CalloutTestSupport.h"

#include <tqk/ObjectSelectionItem.h>
#include <tqk/illustration/Illustration3dScene.h>
#include <tqk/illustration/ItemsList.h>

#include <gtest/gtest.h>

namespace {

using namespace callout_test;

std::vector<std::string> InstancePaths(const std::vector<du::SmartPtr<tqk::Object>>& objects)
{
  std::vector<std::string> paths;
  for (const du::SmartPtr<tqk::Object>& object : objects) {
    const auto item = du::SmartPtr<tqk::ObjectSelectionItem>::DynamicCast(object);
    const auto instance = item ? du::SmartPtr<tqk::Instance>::DynamicCast(item->GetObject()) : nullptr;
    paths.push_back(instance ? instance->GetIDPath().GetText() : "?");
  }
  std::sort(paths.begin(), paths.end());
  return paths;
}

//! A weld W with members A and B directly below it and C, D and E further below; the items list
//! itemizes C, lists D unitemized and does not list E.
struct Weld : ::testing::Test
{
  void SetUp() override
  {
    scene = new tqk::illustration::Illustration3dScene;
    for (const char* name : {"A", "B", "C", "D", "E"})
      parts[name] = scene->CreateShapeInstance(new tqk::Instance(du::Symbol(name)), nullptr, dg::Location());
    weld = structure.Add("W", nullptr);
    weld->SetWeld(true);
    const auto a = structure.Add("W/A", parts["A"]->GetInstance(), weld);
    structure.Add("W/B", parts["B"]->GetInstance(), weld);
    const auto c = structure.Add("W/A/C", parts["C"]->GetInstance(), a);
    const auto d = structure.Add("W/A/D", parts["D"]->GetInstance(), a);
    structure.Add("W/A/E", parts["E"]->GetInstance(), a);
    items = new tqk::illustration::ItemsList;
    items->AddItem(c, 3, true);
    items->AddItem(d, 4, false);
    callout = new TestCallout;
    callout->_Initialize(Template());
  }
  void TearDown() override { scene->Close(); }

  StructureTree structure;
  du::SmartPtr<tqk::illustration::Illustration3dScene> scene;
  std::map<std::string, du::SmartPtr<tqk::ShapeInstance>> parts;
  du::SmartPtr<tqk::illustration::SbomInstance> weld;
  du::SmartPtr<tqk::illustration::ItemsList> items;
  du::SmartPtr<TestCallout> callout;
};

TEST_F(Weld, TheItemsListKeepsOnlyUnitemizedMembersBelowTheFirstLevel)
{
  scene->SetItemsList(items);
  callout->SetScene(scene);
  callout->AddLeader(parts["A"], dg::DPoint3D(), weld);
  EXPECT_EQ(InstancePaths(callout->GetAssociatedObjects()), (std::vector<std::string>{"A", "B", "D"}));
}

TEST_F(Weld, WithoutItemsListEveryMemberCounts)
{
  callout->SetScene(scene);
  callout->AddLeader(parts["A"], dg::DPoint3D(), weld);
  EXPECT_EQ(InstancePaths(callout->GetAssociatedObjects()),
            (std::vector<std::string>{"A", "B", "C", "D", "E"}));
}

TEST_F(Weld, PlainPartsCountOncePerLeaderAndOtherAssembliesNotAtAll)
{
  callout->SetScene(scene);
  callout->AddLeader(parts["B"]);
  callout->AddLeader(parts["B"]);
  callout->AddLeader(parts["C"], dg::DPoint3D(), parts["A"]->GetInstance());
  EXPECT_EQ(InstancePaths(callout->GetAssociatedObjects()), (std::vector<std::string>{"B", "B"}));
}

TEST_F(Weld, ANoteHasNone)
{
  callout->AddLeader(parts["B"]);
  callout->_Initialize(Template(false));
  callout->AddLeader(parts["B"]);
  EXPECT_TRUE(callout->GetAssociatedObjects().empty());
}

} // namespace
