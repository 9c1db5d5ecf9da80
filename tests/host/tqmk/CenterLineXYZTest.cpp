#include <tqmk/CenterLineXYZ.h>
#include <tqmk/CenterLineXYZShadow.h>

#include <gtest/gtest.h>

#include <array>

namespace {

using dg::DPoint3D;
using tqmk::CenterLineXYZ;

void ExpectPoints(const std::vector<DPoint3D>& actual, const std::vector<DPoint3D>& expected)
{
  ASSERT_EQ(actual.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_NEAR(actual[i].x, expected[i].x, 1e-9) << "point " << i;
    EXPECT_NEAR(actual[i].y, expected[i].y, 1e-9) << "point " << i;
    EXPECT_NEAR(actual[i].z, expected[i].z, 1e-9) << "point " << i;
  }
}

const std::uint16_t xyz[3] = {0, 1, 2};

TEST(CenterLineXYZ, StraightLinesHaveTheirEndsAtOneAndCountMinusTwoEvenWithoutExtensions)
{
  std::vector<DPoint3D> points;
  CenterLineXYZ::BuildPoints(DPoint3D(0, 0, 0), DPoint3D(4, 0, 0), false, 1.0f, 2.0f, 0.5f,
                             dg::Location::IDENTITY, xyz, points);
  ExpectPoints(points, {DPoint3D(-1, 0, 0), DPoint3D(0, 0, 0), DPoint3D(4, 0, 0), DPoint3D(6, 0, 0)});

  CenterLineXYZ::BuildPoints(DPoint3D(1, 1, 1), DPoint3D(1, 1, 1), false, 0.0f, 0.0f, 0.5f,
                             dg::Location::IDENTITY, xyz, points);
  ExpectPoints(points, std::vector<DPoint3D>(4, DPoint3D(1, 1, 1)));
}

TEST(CenterLineXYZ, RoutedLinesFollowEachOfTheSixAxisOrders)
{
  const DPoint3D first(0, 0, 0);
  const DPoint3D second(2, 4, 6);
  const DPoint3D legs[3] = {DPoint3D(2, 0, 0), DPoint3D(0, 4, 0), DPoint3D(0, 0, 6)};
  const std::array<std::array<std::uint16_t, 3>, 6> orders = {
      {{0, 1, 2}, {0, 2, 1}, {1, 0, 2}, {1, 2, 0}, {2, 0, 1}, {2, 1, 0}}};
  for (const auto& order : orders) {
    SCOPED_TRACE(testing::Message() << order[0] << order[1] << order[2]);
    std::vector<DPoint3D> points;
    CenterLineXYZ::BuildPoints(first, second, true, 1.0f, 1.0f, 0.25f, dg::Location::IDENTITY, order.data(),
                               points);
    const DPoint3D& a = legs[order[0]];
    const DPoint3D& b = legs[order[1]];
    const DPoint3D& c = legs[order[2]];
    const DPoint3D unitA(a.x / 2 == 1 ? 1 : 0, a.y / 4 == 1 ? 1 : 0, a.z / 6 == 1 ? 1 : 0);
    const DPoint3D c1(0.25 * a.x, 0.25 * a.y, 0.25 * a.z);
    const DPoint3D c2(c1.x + b.x, c1.y + b.y, c1.z + b.z);
    const DPoint3D c3(c2.x + c.x, c2.y + c.y, c2.z + c.z);
    ExpectPoints(points, {DPoint3D(-unitA.x, -unitA.y, -unitA.z), first, c1, c2, c3, second,
                          DPoint3D(second.x + unitA.x, second.y + unitA.y, second.z + unitA.z)});

    CenterLineXYZ line;
    line.SetPoints(points);
    EXPECT_NEAR(line.GetDragFactor(), 0.25f, 1e-6);
    EXPECT_NEAR(line.GetStartExtension(), 1.0, 1e-9);
  }
}

TEST(CenterLineXYZ, RoutingTakesTheAxesOfTheTurnedPlacement)
{
  // Turned a quarter about Z: its X axis points along world Y, its Y axis along world -X.
  const dg::Location turned(dg::FMat33(0, 1, 0, -1, 0, 0, 0, 0, 1), DPoint3D(50, 50, 50));
  std::vector<DPoint3D> points;
  CenterLineXYZ::BuildPoints(DPoint3D(0, 0, 0), DPoint3D(2, 4, 0), true, 0.0f, 0.0f, 0.5f, turned, xyz,
                             points);
  ExpectPoints(points, {DPoint3D(0, 0, 0), DPoint3D(0, 0, 0), DPoint3D(0, 2, 0), DPoint3D(2, 2, 0),
                        DPoint3D(2, 2, 0), DPoint3D(2, 4, 0), DPoint3D(2, 4, 0)});
}

TEST(CenterLineXYZ, DraggedPointsChangeWhatTheLineReportsAndTheShadowCarriesAnEndWithItsExtension)
{
  du::SmartPtr<CenterLineXYZ> line(new CenterLineXYZ);
  std::vector<DPoint3D> points;
  CenterLineXYZ::BuildPoints(DPoint3D(0, 0, 0), DPoint3D(4, 0, 0), false, 1.0f, 1.0f, 0.5f,
                             dg::Location::IDENTITY, xyz, points);
  line->SetPoints(points);
  line->SetDragFactor(0.75f);
  EXPECT_EQ(line->GetDragFactor(), 0.75f) << "a straight line keeps the factor it was given";

  line->MovePoint(3, DPoint3D(7, 0, 0));
  EXPECT_NEAR(line->GetEndExtension(), 3.0, 1e-12);

  du::SmartPtr<tqk::Markup> made(line->ConstructShadow(nullptr));
  const auto shadow = du::SmartPtr<tqmk::CenterLineXYZShadow>::DynamicCast(made);
  ASSERT_TRUE(shadow);
  EXPECT_EQ(shadow->GetMarkup(), line);
  EXPECT_FALSE(shadow->SetDraggedPoint(4));
  ASSERT_TRUE(shadow->SetDraggedPoint(2));
  shadow->SetDragOffset(dg::DVec3(1, 2, 0)); // no view, so the offset is taken as it is
  shadow->HandleDragStep();
  ExpectPoints(shadow->GetPoints(),
               {DPoint3D(-1, 0, 0), DPoint3D(0, 0, 0), DPoint3D(5, 2, 0), DPoint3D(8, 2, 0)});
  EXPECT_EQ(line->GetPoints()[2].x, 4.0) << "the line itself stays";
}

} // namespace
