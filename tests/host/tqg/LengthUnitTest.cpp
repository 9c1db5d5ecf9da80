#include <dg/LengthUnit.h>

#include <gtest/gtest.h>

namespace {

using dg::LengthUnit;

TEST(LengthUnit, ConvertsTemplateSizesToPoints)
{
  EXPECT_NEAR(LengthUnit::Convert(LengthUnit::MILLIMETER, LengthUnit::POINT, 10, 1), 28.3465, 1e-4);
  EXPECT_NEAR(LengthUnit::Convert(LengthUnit::CENTIMETER, LengthUnit::POINT, 1, 1), 28.3465, 1e-4);
  EXPECT_DOUBLE_EQ(LengthUnit::Convert(LengthUnit::INCH, LengthUnit::POINT, 2, 1), 144.0);
}

TEST(LengthUnit, PointsAtNinetySixPixelsPerInch)
{
  // pixels = truncate(96 x inches + 0.5), with at least one pixel.
  const auto pixels = [](double points) {
    const double inches = LengthUnit::Convert(LengthUnit::POINT, LengthUnit::INCH, points, 1);
    const float product = static_cast<float>(96.0 * inches);
    const int truncated = static_cast<int>(product + 0.5f);
    return truncated < 1 ? 1 : truncated;
  };
  EXPECT_EQ(pixels(3), 4);
  EXPECT_EQ(pixels(1), 1);
  EXPECT_EQ(pixels(0.2), 1);
  EXPECT_DOUBLE_EQ(LengthUnit::Convert(LengthUnit::POINT, LengthUnit::INCH, 72, 1), 1.0);
}

TEST(LengthUnit, ConversionsAreConsistentBothWays)
{
  const int units[] = {LengthUnit::MILLIMETER, LengthUnit::CENTIMETER, LengthUnit::INCH, LengthUnit::POINT};
  for (int from : units)
    for (int to : units) {
      const double there = LengthUnit::Convert(from, to, 7.5, 1);
      EXPECT_NEAR(LengthUnit::Convert(to, from, there, 1), 7.5, 1e-12) << from << " -> " << to;
    }
  EXPECT_DOUBLE_EQ(LengthUnit::Convert(LengthUnit::INCH, LengthUnit::MILLIMETER, 1, 2), 25.4 * 25.4);
}

TEST(LengthUnit, UnknownUnitOrDimensionLeavesTheValue)
{
  EXPECT_EQ(LengthUnit::Convert(17, LengthUnit::POINT, 5, 1), 5);
  EXPECT_EQ(LengthUnit::Convert(LengthUnit::MILLIMETER, -1, 5, 1), 5);
  EXPECT_EQ(LengthUnit::Convert(LengthUnit::MILLIMETER, LengthUnit::INCH, 5, 0), 5);
}

} // namespace
