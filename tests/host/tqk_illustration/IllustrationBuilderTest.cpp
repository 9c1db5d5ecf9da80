#include <tqk/Kernel.h>
#include <tqk/MemoryPoolAllocated.h>
#include <tqk/illustration/IllustrationBuilder.h>

#include <gtest/gtest.h>

namespace {

using tqk::illustration::IllustrationBuilder;

TEST(IllustrationBuilder, SampleHasItsTreeWeldItemsAndPartsWhereTheViewSeesThem)
{
  IllustrationBuilder builder;
  builder.BuildSample();
  const auto tree = tqk::illustration::SbomTree::Get(tqk::World::GetWorld(), false, false);
  ASSERT_EQ(tree, builder.GetTree());
  const auto rib = tree->FindInstance(du::Symbol("frame/rib"));
  ASSERT_TRUE(rib);
  EXPECT_EQ(rib->GetTopWeld(), tree->FindInstance(du::Symbol("frame")));
  std::set<du::SmartPtr<tqk::Instance>> first, second;
  rib->GetEbomInstancesForWeld(first, second);
  EXPECT_EQ(first.size(), 3u); // the weld's own instance, plate and rib

  const auto ribPart = builder.FindPart("frame/rib");
  ASSERT_TRUE(ribPart);
  EXPECT_EQ(ribPart->GetInstance()->GetSbomInstance(), du::SmartPtr<tqk::BaseInstance>(rib));
  EXPECT_EQ(ribPart->GetLocation().GetPosition().x, 20.0);
  EXPECT_EQ(ribPart->GetInstance()->GetShapeSourceBBox().max.z, 2.0f);
  EXPECT_FALSE(builder.FindPart("frame")); // an assembly shows no part of its own

  unsigned item = 0;
  ASSERT_TRUE(
      builder.GetItemsList()->GetItemIdForInstance(tree->FindInstance(du::Symbol("housing/bolt")), item));
  EXPECT_EQ(item, 4u);
  EXPECT_FALSE(builder.GetItemsList()->GetItemized(item));
  EXPECT_EQ(builder.GetScene()->GetItemsList(), builder.GetItemsList());

  du::SmartPtr<tqk::PickEvent> pick(new tqk::PickEvent);
  builder.GetView()->PickAsync(45, 5, tqk::PICK_ALL, pick);
  tqk::Kernel::GetKernel()->PumpQueue();
  ASSERT_EQ(pick->GetResults().size(), 1u);
  EXPECT_EQ(pick->GetResults()[0].GetObject(), du::SmartPtr<tqk::Object>(builder.FindPart("housing/cover")));
}

TEST(IllustrationBuilder, TakenIdPathsAreRefused)
{
  IllustrationBuilder builder;
  const auto top = builder.AddAssembly(nullptr, "top");
  EXPECT_TRUE(top);
  EXPECT_FALSE(builder.AddAssembly(nullptr, "top"));
  EXPECT_TRUE(builder.AddBoxPart(top, "p", dg::DPoint3D(), dg::DPoint3D(1, 1, 1), dg::Location::IDENTITY));
  EXPECT_FALSE(builder.AddBoxPart(top, "p", dg::DPoint3D(), dg::DPoint3D(1, 1, 1), dg::Location::IDENTITY));
  EXPECT_EQ(builder.GetScene()->GetShapeInstances().size(), 1u);
}

TEST(IllustrationBuilder, TearingTheIllustrationDownLeavesNoPoolObject)
{
  const std::size_t before = tqk::MemoryPoolAllocated::GetLiveCount();
  {
    IllustrationBuilder builder;
    builder.BuildSample();
    EXPECT_GT(tqk::MemoryPoolAllocated::GetLiveCount(), before);
    builder.TearDown();
    EXPECT_FALSE(tqk::illustration::SbomTree::Get(tqk::World::GetWorld(), false, false));
  }
  EXPECT_EQ(tqk::MemoryPoolAllocated::GetLiveCount(), before);
}

TEST(IllustrationBuilder, LeavesAnotherBuildersTreeAlone)
{
  IllustrationBuilder older;
  IllustrationBuilder newer; // the world's tree is now the newer one's
  older.TearDown();
  EXPECT_EQ(tqk::illustration::SbomTree::Get(tqk::World::GetWorld(), false, false), newer.GetTree());
}

} // namespace
