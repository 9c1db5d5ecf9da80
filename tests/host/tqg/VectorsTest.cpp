#include <dg/DPoint3D.h>
#include <dg/DVec3.h>
#include <dg/FPoint3D.h>
#include <dg/FVec2.h>

#include <gtest/gtest.h>

#include <cmath>

namespace {

TEST(DPoint3D, OffsetsAndPointsConvertIntoEachOtherExactly)
{
  // Offsets are stored as points and differences of points as offsets.
  const dg::DPoint3D offset = dg::DVec3::ZERO;
  EXPECT_EQ(offset.x, 0.0);
  EXPECT_EQ(offset.z, 0.0);
  const dg::DVec3 back = dg::DPoint3D(1e-300, -2.5, 1e300);
  EXPECT_EQ(back.x, 1e-300);
  EXPECT_EQ(back.y, -2.5);
  EXPECT_EQ(back.z, 1e300);

  const dg::FPoint3D centre(0.1f, -3.75f, 16777217.0f);
  const dg::DPoint3D widened = centre;
  EXPECT_EQ(widened.x, static_cast<double>(0.1f)) << "widening keeps the float's exact value";
  EXPECT_EQ(widened.y, -3.75);
  EXPECT_EQ(widened.z, static_cast<double>(centre.z));
}

TEST(DPoint3D, BadMarkerEqualsItselfAndNoRealPoint)
{
  const dg::DPoint3D& bad = dg::DPoint3D::BAD;
  EXPECT_FALSE(std::isnan(bad.x) || std::isnan(bad.y) || std::isnan(bad.z));
  const dg::DPoint3D copy = bad;
  EXPECT_TRUE(copy.x == bad.x && copy.y == bad.y && copy.z == bad.z);
  EXPECT_FALSE(bad.x == dg::DPoint3D::ORIGIN.x);
}

TEST(Vectors, LengthsAndProducts)
{
  EXPECT_EQ(dg::FVec2(3, 4).Norm(), 5.0f);
  EXPECT_EQ(dg::DVec3(2, 3, 6).Norm(), 7.0);
  const dg::DVec3 x(1, 0, 0), y(0, 1, 0);
  EXPECT_EQ(x.Cross(y).z, 1.0);
  EXPECT_EQ(x.Dot(y), 0.0);
}

} // namespace
