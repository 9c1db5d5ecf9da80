#include "common/ValueOperators.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>

namespace {

TEST(ValueOperators, TwoDimensionalArithmeticIsComponentwise)
{
  const dg::FVec2 a(1.5f, -2.0f), b(4.0f, 0.5f);
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
}

TEST(ValueOperators, PointInequalityIsExact)
{
  const dg::DPoint3D p(1, 2, 3);
  const dg::DPoint3D copy = p;
  EXPECT_FALSE(p != copy);
  EXPECT_TRUE(p != dg::DPoint3D(1, 2, std::nextafter(3.0, 4.0)));
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
  dg::FBox withNaN;
  withNaN.max.z = std::numeric_limits<float>::quiet_NaN();
  EXPECT_FALSE(withNaN == withNaN);
}

} // namespace
