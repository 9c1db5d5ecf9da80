#include <tqg/ClosestPoints.h>
#include <tqg/Geom_ParticularCurve3D.h>
#include <tqg/Shape.h>

#include <dg/Location.h>

#include <gtest/gtest.h>

#include <cmath>

namespace {

using dg::DPoint3D;
using StraightCurve = tqg::Geom_ParticularCurve3D<dg::Segment<double, 3>>;

void ExpectNear(const DPoint3D& actual, const DPoint3D& expected)
{
  EXPECT_NEAR(actual.x, expected.x, 1e-9);
  EXPECT_NEAR(actual.y, expected.y, 1e-9);
  EXPECT_NEAR(actual.z, expected.z, 1e-9);
}

double Distance(const dg::Segment<double, 3>& segment)
{
  const double dx = segment.end.x - segment.start.x;
  const double dy = segment.end.y - segment.start.y;
  const double dz = segment.end.z - segment.start.z;
  return std::sqrt(dx * dx + dy * dy + dz * dz);
}

dg::DMat44 MovedBy(double x, double y, double z)
{
  return dg::Location(dg::FMat33::IDENTITY, DPoint3D(x, y, z)).GetXform();
}

const du::SmartPtr<tqg::Shape> unitBox = tqg::Shape::CreateBox(DPoint3D(0, 0, 0), DPoint3D(1, 1, 1));

TEST(ClosestPointPairs, BoxToBoxUnderTheirPlacements)
{
  const dg::Segment<double, 3> apart =
      tqg::GetClosestPoints(unitBox, dg::DMat44::IDENTITY, unitBox, MovedBy(3, 0.5, 0));
  EXPECT_NEAR(Distance(apart), 2.0, 1e-9);
  EXPECT_NEAR(apart.start.x, 1.0, 1e-9) << "the start lies on the first box";
  EXPECT_NEAR(apart.end.x, 3.0, 1e-9);

  // Corner to corner: the second box turned a quarter about Z and moved to (3, 3, 3).
  const dg::DMat44 turned =
      dg::Location(dg::FMat33(0, 1, 0, -1, 0, 0, 0, 0, 1), DPoint3D(3, 3, 3)).GetXform();
  const dg::Segment<double, 3> corners =
      tqg::GetClosestPoints(unitBox, dg::DMat44::IDENTITY, unitBox, turned);
  ExpectNear(corners.start, DPoint3D(1, 1, 1));
  ExpectNear(corners.end, DPoint3D(2, 3, 3));

  const dg::Segment<double, 3> touching =
      tqg::GetClosestPoints(unitBox, dg::DMat44::IDENTITY, unitBox, MovedBy(0.5, 0.5, 0.5));
  EXPECT_NEAR(Distance(touching), 0.0, 1e-12);
}

TEST(ClosestPointPairs, FaceToPointAndShapeToPointRunFromThePoint)
{
  const du::SmartPtr<tqg::Face>& top = unitBox->GetFaces()[1];
  const dg::Segment<double, 3> above = tqg::GetClosestPoints(top, MovedBy(0, 0, 1), DPoint3D(0.25, 0.75, 5));
  ExpectNear(above.start, DPoint3D(0.25, 0.75, 5));
  ExpectNear(above.end, DPoint3D(0.25, 0.75, 2));

  const dg::Segment<double, 3> aside =
      tqg::GetClosestPoints(unitBox, dg::DMat44::IDENTITY, DPoint3D(-2, 0.5, 0.5));
  ExpectNear(aside.end, DPoint3D(0, 0.5, 0.5));
}

TEST(ClosestPointPairs, EdgesAgainstFacesAndShapesAndTheKindOfTheirCurve)
{
  const du::SmartPtr<tqg::Edge> upright(new tqg::Edge("upright", {DPoint3D(2, 0.5, 1), DPoint3D(2, 0.5, 3)}));
  EXPECT_TRUE(dynamic_cast<const StraightCurve*>(upright->GetCurve().Get()));
  const du::SmartPtr<tqg::Face>& bottom = unitBox->GetFaces()[0];
  const dg::Segment<double, 3> faceToEdge =
      tqg::GetClosestPoints(bottom, dg::DMat44::IDENTITY, upright, dg::DMat44::IDENTITY);
  ExpectNear(faceToEdge.start, DPoint3D(1, 0.5, 0));
  ExpectNear(faceToEdge.end, DPoint3D(2, 0.5, 1));

  // Edge to edge, through a shape made of one edge: skew lines meet across their common normal.
  du::SmartPtr<tqg::Shape> rail(new tqg::Shape);
  rail->AddEdge(new tqg::Edge("rail", {DPoint3D(-1, 0, 0), DPoint3D(1, 0, 0)}));
  const du::SmartPtr<tqg::Edge> cross(new tqg::Edge("cross", {DPoint3D(0, -1, 2), DPoint3D(0, 1, 2)}));
  const dg::Segment<double, 3> skew =
      tqg::GetClosestPoints(rail, dg::DMat44::IDENTITY, cross, MovedBy(0.5, 0, 0));
  ExpectNear(skew.start, DPoint3D(0.5, 0, 0));
  ExpectNear(skew.end, DPoint3D(0.5, 0, 2));

  const du::SmartPtr<tqg::Edge> bent(
      new tqg::Edge("bent", {DPoint3D(0, 0, 0), DPoint3D(1, 0, 0), DPoint3D(1, 1, 0)}));
  EXPECT_FALSE(dynamic_cast<const StraightCurve*>(bent->GetCurve().Get()));
}

TEST(ClosestPointPairs, FacetedCylinderIsMeasuredOnItsFacetsAndKnowsItsAxis)
{
  const du::SmartPtr<tqg::Face> bore =
      tqg::Face::CreateCylinder("bore", DPoint3D(0, 0, 0), dg::DVec3(0, 0, 2), 1.0, 2.0, 32);
  EXPECT_FALSE(bore->IsPlane());
  EXPECT_EQ(bore->GetKind(), tqg::FaceKind::CYLINDRICAL);
  EXPECT_EQ(bore->GetAxisDirection().z, 1.0);
  EXPECT_EQ(bore->GetTriangles().size(), 64u);
  EXPECT_TRUE(unitBox->GetFaces()[0]->IsPlane());

  // A facet vertex lies on +X, so the nearest point from (5, 0, 1) is on the circle itself.
  const dg::Segment<double, 3> outside = tqg::GetClosestPoints(bore, dg::DMat44::IDENTITY, DPoint3D(5, 0, 1));
  ExpectNear(outside.end, DPoint3D(1, 0, 1));
  // Between two vertices a facet lies inside the circle, by at most 1 - cos(pi / 32).
  const double facetDepth = 1.0 - std::cos(3.141592653589793 / 32);
  const dg::Segment<double, 3> between =
      tqg::GetClosestPoints(bore, dg::DMat44::IDENTITY, DPoint3D(0, 0.5, 1));
  EXPECT_GE(Distance(between), 0.5 - facetDepth - 1e-9);
  EXPECT_LE(Distance(between), 0.5 + 1e-9);
}

TEST(ClosestPointPairs, NothingToMeasureGivesNaNAtBothEnds)
{
  const dg::Segment<double, 3> none =
      tqg::GetClosestPoints(du::SmartPtr<tqg::Shape>(), dg::DMat44::IDENTITY, unitBox, dg::DMat44::IDENTITY);
  EXPECT_TRUE(std::isnan(none.start.x) && std::isnan(none.end.x));
  const dg::Segment<double, 3> empty = tqg::GetClosestPoints(du::SmartPtr<tqg::Shape>(new tqg::Shape),
                                                             dg::DMat44::IDENTITY, DPoint3D(0, 0, 0));
  EXPECT_TRUE(std::isnan(empty.start.x) && std::isnan(empty.end.z));
}

} // namespace
