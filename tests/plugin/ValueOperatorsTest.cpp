#include "common/ValueOperators.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>

namespace {

TEST(ValueOperators, TwoDimensionalArithmeticIsComponentwise)
{
  const dg::FVec2 a(1.5f, -2.0f), b(4.0f, 0.5f);
  const dg::FVec2 sum = a + b;
  EXPECT_EQ(sum.x, 5.5f);
  EXPECT_EQ(sum.y, -1.5f);
  const dg::FVec2 down = a - dg::FVec2(1.0f, 1.0f);
  EXPECT_EQ(down.x, 0.5f);
  EXPECT_EQ(down.y, -3.0f);
  const dg::FVec2 product = a * b;
  EXPECT_EQ(product.x, 6.0f);
  EXPECT_EQ(product.y, -1.0f);
  const dg::FVec2 scaled = 2.0f * a;
  EXPECT_EQ(scaled.x, 3.0f);
  EXPECT_EQ((a * 2.0f).y, scaled.y);
  const dg::FVec2 difference = dg::FPoint2D(1, 1) - dg::FPoint2D(3, -1);
  EXPECT_EQ(difference.x, -2.0f);
  EXPECT_EQ(difference.y, 2.0f);
  const dg::FPoint2D moved = dg::FPoint2D(1, 1) + a;
  EXPECT_EQ(moved.x, 2.5f);
  EXPECT_EQ(moved.y, -1.0f);
  const dg::FVec2 half = a / 2.0f;
  EXPECT_EQ(half.x, 0.75f);
  EXPECT_EQ(half.y, -1.0f);
}

TEST(ValueOperators, DivisionByZeroIsTheFloatDivision)
{
  const dg::FVec2 v = dg::FVec2(1.0f, 0.0f) / 0.0f;
  EXPECT_TRUE(std::isinf(v.x));
  EXPECT_TRUE(std::isnan(v.y));
}

TEST(ValueOperators, ThreeDimensionalArithmeticStaysInDoublePrecision)
{
  const dg::DPoint3D p(1e17, 1, 0);
  const dg::DPoint3D q = p + dg::DVec3(1, 0.5, 0) * 2.0;
  EXPECT_EQ(q.x, 1e17 + 2);
  EXPECT_EQ((q - p).y, 1.0);
  EXPECT_EQ((0.5 * dg::DVec3(2, 4, 6)).z, 3.0);

  const dg::DVec3 sum = dg::DVec3(1, 2, 3) + dg::DVec3(10, 20, 30);
  EXPECT_EQ(sum.x, 11.0);
  EXPECT_EQ(sum.y, 22.0);
  EXPECT_EQ(sum.z, 33.0);
  const dg::DVec3 difference = dg::DVec3(1, 2, 3) - dg::DVec3(10, 20, 40);
  EXPECT_EQ(difference.x, -9.0);
  EXPECT_EQ(difference.y, -18.0);
  EXPECT_EQ(difference.z, -37.0);
}

TEST(ValueOperators, PointInequalityIsExact)
{
  const dg::DPoint3D p(1, 2, 3);
  const dg::DPoint3D copy = p;
  EXPECT_FALSE(p != copy);
  for (int i = 0; i < 3; ++i) {
    dg::DPoint3D moved = p;
    double* values[] = {&moved.x, &moved.y, &moved.z};
    *values[i] = std::nextafter(*values[i], 4.0);
    EXPECT_TRUE(p != moved) << "value " << i;
  }
  // Equality of doubles, not of their bits.
  EXPECT_FALSE(dg::DPoint3D(0, 0, 0) != dg::DPoint3D(-0.0, -0.0, -0.0));
  const dg::DPoint3D withNaN(1, 2, std::numeric_limits<double>::quiet_NaN());
  EXPECT_TRUE(withNaN != withNaN);
}

TEST(ValueOperators, BoxEqualityComparesAllSixValues)
{
  EXPECT_TRUE(dg::FBox::EMPTY == dg::FBox());
  for (int i = 0; i < 6; ++i) {
    dg::FBox box;
    float* values[] = {&box.min.x, &box.min.y, &box.min.z, &box.max.x, &box.max.y, &box.max.z};
    *values[i] = 0.0f;
    EXPECT_FALSE(box == dg::FBox::EMPTY) << "value " << i;
  }
  const dg::FBox unit(dg::FPoint3D(0, 0, 0), dg::FPoint3D(1, 1, 1));
  EXPECT_TRUE(unit == dg::FBox(dg::FPoint3D(-0.0f, -0.0f, -0.0f), dg::FPoint3D(1, 1, 1)));
  dg::FBox withNaN;
  withNaN.max.z = std::numeric_limits<float>::quiet_NaN();
  EXPECT_FALSE(withNaN == withNaN);
}

} // namespace
