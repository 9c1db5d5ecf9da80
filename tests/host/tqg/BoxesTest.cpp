#include <dg/DBox.h>
#include <dg/FBox.h>
#include <dg/FBox2D.h>

#include <gtest/gtest.h>

#include <cmath>

namespace {

TEST(FBox2D, CornerWalkZeroTwoThreeOneTracesTheOutline)
{
  const dg::FBox2D box(dg::FPoint2D(-2, -1), dg::FPoint2D(4, 3));
  const dg::FPoint2D expected[] = {{-2, -1}, {4, -1}, {-2, 3}, {4, 3}};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(box.GetCorner(i).x, expected[i].x) << "corner " << i;
    EXPECT_EQ(box.GetCorner(i).y, expected[i].y) << "corner " << i;
  }
  // Each step of the walk moves along one edge: exactly one coordinate changes.
  const int walk[] = {0, 2, 3, 1, 0};
  for (int k = 1; k < 5; ++k) {
    const dg::FPoint2D a = box.GetCorner(walk[k - 1]), b = box.GetCorner(walk[k]);
    EXPECT_EQ((a.x != b.x) + (a.y != b.y), 1) << "step " << k;
  }
}

TEST(FBox2D, TranslateByOffsetOrOntoPointAndKeepsEmptyBoxesEmpty)
{
  dg::FBox2D box(dg::FPoint2D(-1, -1), dg::FPoint2D(1, 1));
  box.Translate(dg::FVec2(10, 20));
  EXPECT_EQ(box.GetCorner(0).x, 9.0f);
  EXPECT_EQ(box.GetCorner(3).y, 21.0f);
  box.Translate(dg::FPoint2D(-10, -20));
  EXPECT_EQ(box.GetCorner(0).x, -1.0f);
  EXPECT_EQ(box.GetCorner(0).y, -1.0f);

  dg::FBox2D empty;
  ASSERT_TRUE(empty.IsEmpty());
  empty.Translate(dg::FVec2(1e38f, 1e38f));
  EXPECT_TRUE(empty.IsEmpty()) << "moving must not turn an empty box into a real one";
  EXPECT_FALSE(box.IsEmpty());
}

TEST(FBox, EmptyBoxHasNoNaNAndGrowsToWhatItIsExtendedBy)
{
  const dg::FBox& empty = dg::FBox::EMPTY;
  for (float v : {empty.min.x, empty.min.y, empty.min.z, empty.max.x, empty.max.y, empty.max.z})
    EXPECT_FALSE(std::isnan(v)) << "equality with EMPTY must be exact";
  EXPECT_TRUE(empty.IsEmpty());

  dg::FBox box;
  box.Extend(dg::FPoint3D(1, 2, 3));
  EXPECT_FALSE(box.IsEmpty());
  EXPECT_EQ(box.min.x, 1.0f);
  EXPECT_EQ(box.max.z, 3.0f);
  box.Extend(dg::FBox::EMPTY);
  EXPECT_EQ(box.max.x, 1.0f) << "an empty box adds nothing";
  box.Extend(dg::FBox(dg::FPoint3D(-1, 0, 0), dg::FPoint3D(3, 4, 5)));
  const dg::FPoint3D centre = box.GetCenter();
  EXPECT_EQ(centre.x, 1.0f);
  EXPECT_EQ(centre.y, 2.0f);
  EXPECT_EQ(centre.z, 2.5f);
}

TEST(DBox, EmptyUntilExtendedAndCentredBetweenItsCorners)
{
  dg::DBox box;
  EXPECT_TRUE(box.IsEmpty());
  box.Extend(dg::DPoint3D(-4, 2, 1e300));
  box.Extend(dg::DPoint3D(6, 2, -1e300));
  EXPECT_FALSE(box.IsEmpty());
  const dg::DPoint3D centre = box.GetCenter();
  EXPECT_EQ(centre.x, 1.0);
  EXPECT_EQ(centre.y, 2.0);
  EXPECT_EQ(centre.z, 0.0);
}

} // namespace
