#include <tqk/MemoryPoolAllocated.h>
#include <tqk/World.h>
#include <tqk/illustration/Illustration3dScene.h>
#include <tqk/illustration/ItemsList.h>
#include <tqk/illustration/SbomTree.h>

#include <gtest/gtest.h>

namespace {

using tqk::illustration::ItemsList;
using tqk::illustration::SbomInstance;
using tqk::illustration::SbomTree;
using Instances = std::set<du::SmartPtr<tqk::Instance>>;

du::SmartPtr<SbomInstance> Node(const char* idPath, const char* ebomPath = "")
{
  return du::SmartPtr<SbomInstance>(
      new SbomInstance(du::Symbol(idPath), du::Symbol(idPath), du::Symbol(ebomPath)));
}

du::SmartPtr<tqk::Instance> Bind(const du::SmartPtr<SbomInstance>& node)
{
  du::SmartPtr<tqk::Instance> instance(new tqk::Instance(node->GetIDPath()));
  node->SetEbomInstance(instance);
  return instance;
}

//! top > frame (a weld) > { plate, rib > bolt }, and top > cover. Every node but cover has its
//! engineering instance; cover's is missing.
class StructureTreeTest : public ::testing::Test
{
protected:
  StructureTreeTest()
  {
    tree = SbomTree::Get(tqk::World::GetWorld(), false, true);
    top = Node("top", "e/top");
    frame = Node("top/frame", "e/frame");
    frame->SetWeld(true);
    plate = Node("top/frame/plate", "e/plate");
    rib = Node("top/frame/rib", "e/rib");
    bolt = Node("top/frame/rib/bolt", "e/bolt");
    cover = Node("top/cover", "e/cover");
    rib->AddChild(bolt);
    frame->AddChild(plate);
    frame->AddChild(rib);
    tree->AddInstance(nullptr, top);
    tree->AddInstance(top, frame);
    tree->AddInstance(top, cover);
    for (auto* node : {&top, &frame, &plate, &rib, &bolt})
      instances.push_back(Bind(*node));
  }
  ~StructureTreeTest() override { SbomTree::Release(tqk::World::GetWorld()); }

  du::SmartPtr<SbomTree> tree;
  du::SmartPtr<SbomInstance> top, frame, plate, rib, bolt, cover;
  std::vector<du::SmartPtr<tqk::Instance>> instances; // in the order bound above
};

TEST_F(StructureTreeTest, WorldTreeIsFoundAgainAndIdPathsResolve)
{
  EXPECT_EQ(SbomTree::Get(tqk::World::GetWorld(), false, false), tree);
  EXPECT_EQ(tree->FindInstance(du::Symbol("top/frame/rib/bolt")), bolt);
  EXPECT_EQ(tree->FindInstance(du::Symbol("top/cover")), cover);
  EXPECT_FALSE(tree->FindInstance(du::Symbol("top/nothing")));
  EXPECT_FALSE(tree->FindInstance(du::Symbol::EMPTY));
  EXPECT_EQ(bolt->GetParent(), rib);
  EXPECT_EQ(bolt->GetObjectName(), du::Symbol("top/frame/rib/bolt"));
}

TEST_F(StructureTreeTest, EngineeringInstancesAndTheirNodesKnowEachOther)
{
  EXPECT_EQ(plate->GetEbomInstance(), instances[2]);
  EXPECT_EQ(instances[2]->GetSbomInstance(), du::SmartPtr<tqk::BaseInstance>(plate));
  EXPECT_TRUE(plate->GetMissingEbomInstancePathId().IsEmpty());
  EXPECT_EQ(cover->GetMissingEbomInstancePathId(), du::Symbol("e/cover"));
  plate->SetEbomInstance(nullptr);
  EXPECT_FALSE(instances[2]->GetSbomInstance());
  EXPECT_EQ(plate->GetMissingEbomInstancePathId(), du::Symbol("e/plate"));
}

TEST_F(StructureTreeTest, AnInstanceOutlivingItsNodeForgetsIt)
{
  const du::SmartPtr<tqk::Instance> loose = Bind(Node("loose"));
  EXPECT_FALSE(loose->GetSbomInstance());
}

TEST_F(StructureTreeTest, WeldSetsHoldTheWeldAndItsPartsFirstAndDeeperPartsSecond)
{
  Instances first, second;
  bolt->GetEbomInstancesForWeld(first, second);
  EXPECT_EQ(first, (Instances{instances[1], instances[2], instances[3]}));
  EXPECT_EQ(second, (Instances{instances[4]}));
  EXPECT_EQ(bolt->GetTopWeld(), frame);
  EXPECT_EQ(frame->GetTopWeld(), frame);
}

TEST_F(StructureTreeTest, OutsideAnyWeldANodeStandsForItselfAndWhatIsBelowIt)
{
  EXPECT_EQ(cover->GetTopWeld(), cover);
  Instances first, second;
  cover->GetEbomInstancesForWeld(first, second);
  EXPECT_TRUE(first.empty() && second.empty()); // its own instance is missing
  top->GetEbomInstancesForWeld(first, second);
  EXPECT_EQ(first, (Instances{instances[0], instances[1]}));
  EXPECT_EQ(second.size(), 3u);
}

TEST_F(StructureTreeTest, RefusedAdditionsChangeNothing)
{
  EXPECT_FALSE(tree->AddInstance(nullptr, Node("top/frame")));  // id path known already
  EXPECT_FALSE(tree->AddInstance(top, plate));                  // has a parent already
  EXPECT_FALSE(tree->AddInstance(Node("stranger"), Node("x"))); // parent not in the tree
  EXPECT_FALSE(tree->FindInstance(du::Symbol("x")));
  EXPECT_FALSE(tree->AddInstance(nullptr, nullptr));
  EXPECT_FALSE(frame->AddChild(top)); // would hold its own ancestor
  EXPECT_EQ(tree->GetRoots().size(), 1u);
}

TEST_F(StructureTreeTest, ReleasedTreeIsGoneAndLeavesNoPoolObject)
{
  const std::size_t before = tqk::MemoryPoolAllocated::GetLiveCount();
  du::SmartPtr<SbomInstance> extra = Node("extra");
  tree->AddInstance(nullptr, extra);
  extra.Reset();
  tree.Reset();
  top = frame = plate = rib = bolt = cover = nullptr;
  instances.clear();
  EXPECT_TRUE(SbomTree::Release(tqk::World::GetWorld()));
  EXPECT_FALSE(SbomTree::Get(tqk::World::GetWorld(), false, false));
  EXPECT_FALSE(SbomTree::Release(tqk::World::GetWorld()));
  EXPECT_LT(tqk::MemoryPoolAllocated::GetLiveCount(), before);
  EXPECT_EQ(tqk::MemoryPoolAllocated::GetLiveCount(), 0u);
}

TEST(ItemsList, ItemsAnswerForTheirInstancesAndTheirItemizedFlag)
{
  du::SmartPtr<tqk::BaseInstance> listed = Node("listed");
  du::SmartPtr<tqk::BaseInstance> unlisted = Node("unlisted");
  du::SmartPtr<ItemsList> items(new ItemsList);
  EXPECT_TRUE(items->AddItem(listed, 7, false));
  EXPECT_FALSE(items->AddItem(listed, 8, true));
  EXPECT_FALSE(items->AddItem(nullptr, 9, true));
  unsigned id = 99;
  EXPECT_FALSE(items->GetItemIdForInstance(unlisted, id));
  EXPECT_EQ(id, 99u);
  EXPECT_TRUE(items->GetItemIdForInstance(listed, id));
  EXPECT_EQ(id, 7u);
  EXPECT_FALSE(items->GetItemized(7));
  EXPECT_TRUE(items->SetItemized(7, true));
  EXPECT_TRUE(items->GetItemized(7));
  EXPECT_FALSE(items->SetItemized(8, true));
  EXPECT_FALSE(items->GetItemized(8));
}

TEST(Illustration3dScene, KeepsItsItemsListUntilClosed)
{
  du::SmartPtr<tqk::illustration::Illustration3dScene> scene(new tqk::illustration::Illustration3dScene);
  EXPECT_FALSE(scene->GetItemsList());
  du::SmartPtr<ItemsList> items(new ItemsList);
  scene->SetItemsList(items);
  EXPECT_EQ(scene->GetItemsList(), items);
  du::SmartPtr<tqk::Scene> asScene = scene;
  EXPECT_TRUE(du::SmartPtr<tqk::ShapeScene>::DynamicCast(asScene));
  scene->Close();
  EXPECT_FALSE(scene->GetItemsList());
}

} // namespace
