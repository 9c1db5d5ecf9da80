#include <dg/Location.h>
#include <tqg/ClosestPoints.h>
#include <tqg/Shape.h>
#include <tqg/ShapeVisitor.h>

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace {

du::SmartPtr<tqg::Shape> UnitBox()
{
  return tqg::Shape::CreateBox(dg::DPoint3D(0, 0, 0), dg::DPoint3D(1, 2, 3));
}

const tqg::Face* FaceNamed(const tqg::Shape& shape, const char* name)
{
  for (const auto& face : shape.GetFaces())
    if (face->GetName() == du::Symbol(name))
      return face.Get();
  return nullptr;
}

class NameCollector : public tqg::ShapeVisitor
{
public:
  explicit NameCollector(const char* stopAt) : m_stopAt(stopAt) {}
  State Visit(const tqg::Face* face) override
  {
    names.push_back(face->GetName().GetText());
    return names.back() == m_stopAt ? STOP : CONTINUE;
  }
  std::vector<std::string> names;

private:
  std::string m_stopAt;
};

TEST(Shape, BoxHasSixNamedPlanarFacesTwelveEdgesAndItsBoundingBox)
{
  const auto box = UnitBox();
  ASSERT_EQ(box->GetFaces().size(), 6u);
  EXPECT_EQ(box->GetEdges().size(), 12u);
  for (const auto& face : box->GetFaces()) {
    EXPECT_EQ(face->GetKind(), tqg::FaceKind::PLANAR);
    EXPECT_EQ(face->GetTriangles().size(), 2u);
  }
  const dg::FBox bbox = box->ComputeDefaultBBox();
  EXPECT_EQ(bbox.min.x, 0.0f);
  EXPECT_EQ(bbox.max.y, 2.0f);
  EXPECT_EQ(bbox.max.z, 3.0f);
  EXPECT_EQ(bbox.GetCenter().z, 1.5f);
}

TEST(Shape, WithoutGeometryItsBoxIsTheEmptyBox)
{
  tqg::Shape empty;
  const dg::FBox bbox = empty.ComputeDefaultBBox();
  EXPECT_TRUE(bbox.min.x == dg::FBox::EMPTY.min.x && bbox.max.z == dg::FBox::EMPTY.max.z);
  NameCollector visitor("none");
  EXPECT_EQ(empty.Accept(visitor), tqg::ShapeVisitor::CONTINUE);
  EXPECT_TRUE(visitor.names.empty());
}

TEST(Shape, WalkVisitsFacesInOrderAndEndsWhenTheVisitorStops)
{
  const auto box = UnitBox();
  NameCollector all("none");
  EXPECT_EQ(box->Accept(all), tqg::ShapeVisitor::CONTINUE);
  EXPECT_EQ(all.names, (std::vector<std::string>{"bottom", "top", "front", "back", "left", "right"}));
  NameCollector untilFront("front");
  EXPECT_EQ(box->Accept(untilFront), tqg::ShapeVisitor::STOP);
  EXPECT_EQ(untilFront.names, (std::vector<std::string>{"bottom", "top", "front"}));
}

TEST(Shape, NullFacesAndEdgesAreRefused)
{
  tqg::Shape shape;
  EXPECT_FALSE(shape.AddFace(nullptr));
  EXPECT_FALSE(shape.AddEdge(nullptr));
}

TEST(ClosestPoints, PointAboveTheFaceDropsOntoItsInterior)
{
  const auto box = UnitBox();
  const auto segment =
      tqg::GetClosestPoints(FaceNamed(*box, "top"), dg::DMat44::IDENTITY, dg::DPoint3D(0.5, 1, 10));
  EXPECT_EQ(segment.start.x, 0.5);
  EXPECT_DOUBLE_EQ(segment.end.x, 0.5);
  EXPECT_DOUBLE_EQ(segment.end.y, 1.0);
  EXPECT_DOUBLE_EQ(segment.end.z, 3.0);
}

TEST(ClosestPoints, PointBesideTheFaceMeetsItsEdgeOrCorner)
{
  const auto box = UnitBox();
  const tqg::Face* top = FaceNamed(*box, "top");
  const auto toEdge = tqg::GetClosestPoints(top, dg::DMat44::IDENTITY, dg::DPoint3D(5, 1, 3));
  EXPECT_DOUBLE_EQ(toEdge.end.x, 1.0);
  EXPECT_DOUBLE_EQ(toEdge.end.y, 1.0);
  const auto toCorner = tqg::GetClosestPoints(top, dg::DMat44::IDENTITY, dg::DPoint3D(-4, -4, 9));
  EXPECT_DOUBLE_EQ(toCorner.end.x, 0.0);
  EXPECT_DOUBLE_EQ(toCorner.end.y, 0.0);
  EXPECT_DOUBLE_EQ(toCorner.end.z, 3.0);
}

TEST(ClosestPoints, FaceIsPlacedByTheTransform)
{
  const auto box = UnitBox();
  const dg::Location moved(dg::FMat33::IDENTITY, dg::DPoint3D(100, 0, 0));
  const auto segment =
      tqg::GetClosestPoints(FaceNamed(*box, "top"), moved.GetXform(), dg::DPoint3D(100.5, 1, 10));
  EXPECT_DOUBLE_EQ(segment.end.x, 100.5);
  EXPECT_DOUBLE_EQ(segment.end.z, 3.0);
}

TEST(ClosestPoints, MissingOrEmptyFaceGivesNaN)
{
  const auto none = tqg::GetClosestPoints(nullptr, dg::DMat44::IDENTITY, dg::DPoint3D(1, 1, 1));
  EXPECT_TRUE(std::isnan(none.start.x) && std::isnan(none.end.x));
  tqg::Face empty(du::Symbol("empty"), tqg::FaceKind::PLANAR);
  const auto nothing = tqg::GetClosestPoints(&empty, dg::DMat44::IDENTITY, dg::DPoint3D(1, 1, 1));
  EXPECT_TRUE(std::isnan(nothing.end.x));
}

} // namespace
