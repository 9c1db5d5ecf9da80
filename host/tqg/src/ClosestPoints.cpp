#include "geometry/ClosestPrimitives.h"

#include <tqg/ClosestPoints.h>
#include <tqg/Shape.h>

#include <limits>

namespace tqg {

namespace {

void Add(PrimitiveSet& set, const Face& face, const dg::DMat44& transform)
{
  for (const Face::Triangle& triangle : face.GetTriangles())
    set.triangles.push_back({triangle[0] * transform, triangle[1] * transform, triangle[2] * transform});
}

void Add(PrimitiveSet& set, const Edge& edge, const dg::DMat44& transform)
{
  const std::vector<dg::DPoint3D>& points = edge.GetPoints();
  if (points.size() == 1)
    set.points.push_back(points.front() * transform);
  for (std::size_t i = 1; i < points.size(); ++i)
    set.segments.push_back({points[i - 1] * transform, points[i] * transform});
}

void Add(PrimitiveSet& set, const Shape& shape, const dg::DMat44& transform)
{
  for (const du::SmartPtr<Face>& face : shape.GetFaces())
    Add(set, *face, transform);
  for (const du::SmartPtr<Edge>& edge : shape.GetEdges())
    Add(set, *edge, transform);
}

template <class Item>
PrimitiveSet PiecesOf(const Item* item, const dg::DMat44& transform)
{
  PrimitiveSet set;
  if (item)
    Add(set, *item, transform);
  return set;
}

PrimitiveSet PieceOf(const dg::DPoint3D& point)
{
  PrimitiveSet set;
  set.points.push_back(point);
  return set;
}

dg::Segment<double, 3> Between(const PrimitiveSet& first, const PrimitiveSet& second)
{
  const std::optional<ClosestPair> pair = FindClosestPair(first, second);
  if (!pair) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    return dg::Segment<double, 3>(dg::DPoint3D(nan, nan, nan), dg::DPoint3D(nan, nan, nan));
  }
  return dg::Segment<double, 3>(pair->onFirst, pair->onSecond);
}

} // namespace

dg::Segment<double, 3> GetClosestPoints(const du::SmartPtr<Shape>& first, const dg::DMat44& firstTransform,
                                        const du::SmartPtr<Shape>& second, const dg::DMat44& secondTransform)
{
  return Between(PiecesOf(first.Get(), firstTransform), PiecesOf(second.Get(), secondTransform));
}

dg::Segment<double, 3> GetClosestPoints(const du::SmartPtr<Shape>& shape, const dg::DMat44& shapeTransform,
                                        const du::SmartPtr<Face>& face, const dg::DMat44& faceTransform)
{
  return Between(PiecesOf(shape.Get(), shapeTransform), PiecesOf(face.Get(), faceTransform));
}

dg::Segment<double, 3> GetClosestPoints(const du::SmartPtr<Shape>& shape, const dg::DMat44& shapeTransform,
                                        const du::SmartPtr<Edge>& edge, const dg::DMat44& edgeTransform)
{
  return Between(PiecesOf(shape.Get(), shapeTransform), PiecesOf(edge.Get(), edgeTransform));
}

dg::Segment<double, 3> GetClosestPoints(const du::SmartPtr<Face>& face, const dg::DMat44& faceTransform,
                                        const du::SmartPtr<Edge>& edge, const dg::DMat44& edgeTransform)
{
  return Between(PiecesOf(face.Get(), faceTransform), PiecesOf(edge.Get(), edgeTransform));
}

dg::Segment<double, 3> GetClosestPoints(const du::SmartPtr<Shape>& shape, const dg::DMat44& transform,
                                        const dg::DPoint3D& point)
{
  return Between(PieceOf(point), PiecesOf(shape.Get(), transform));
}

dg::Segment<double, 3> GetClosestPoints(const du::SmartPtr<Face>& face, const dg::DMat44& transform,
                                        const dg::DPoint3D& point)
{
  return GetClosestPoints(face.Get(), transform, point);
}

dg::Segment<double, 3> GetClosestPoints(const Face* face, const dg::DMat44& transform,
                                        const dg::DPoint3D& point)
{
  return Between(PieceOf(point), PiecesOf(face, transform));
}

} // namespace tqg
