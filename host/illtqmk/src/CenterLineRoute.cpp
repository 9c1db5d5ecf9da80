#include "CenterLineRoute.h"

#include <algorithm>
#include <cmath>

namespace tqmk::CenterLineRoute {

namespace {

using dg::DPoint3D;
using dg::DVec3;

DVec3 Sub(const DPoint3D& a, const DPoint3D& b) { return DVec3(a.x - b.x, a.y - b.y, a.z - b.z); }
DPoint3D Add(const DPoint3D& p, const DVec3& v, double t = 1.0)
{
  return DPoint3D(p.x + t * v.x, p.y + t * v.y, p.z + t * v.z);
}
DVec3 Scaled(const DVec3& v, double t) { return DVec3(t * v.x, t * v.y, t * v.z); }
DVec3 Unit(const DVec3& v)
{
  const double length = v.Norm();
  return length > 0.0 ? Scaled(v, 1.0 / length) : DVec3::ZERO;
}

// Axis i of the placement, made unit: the image of the i-th base vector, without its scale.
DVec3 Axis(const dg::Location& placement, std::uint16_t index)
{
  const int row = index < 3 ? index : 0;
  const dg::FMat33& m = placement.GetOrientation();
  return Unit(DVec3(m(row, 0), m(row, 1), m(row, 2)));
}

// Extension points continue the first and last legs that have a length.
void AddExtensions(std::vector<DPoint3D>& points, float startExtension, float endExtension)
{
  DVec3 startDirection = DVec3::ZERO;
  for (std::size_t i = 0; i + 1 < points.size() && startDirection.Norm() == 0.0; ++i)
    startDirection = Unit(Sub(points[i + 1], points[i]));
  DVec3 endDirection = DVec3::ZERO;
  for (std::size_t i = points.size() - 1; i > 0 && endDirection.Norm() == 0.0; --i)
    endDirection = Unit(Sub(points[i], points[i - 1]));
  points.insert(points.begin(), Add(points.front(), startDirection, -startExtension));
  points.push_back(Add(points.back(), endDirection, endExtension));
}

} // namespace

void Build(const DPoint3D& first, const DPoint3D& second, bool routed, float startExtension,
           float endExtension, float dragFactor, const dg::Location& placement,
           const std::uint16_t axisOrder[3], std::vector<DPoint3D>& points)
{
  points.clear();
  points.push_back(first);
  if (routed) {
    const DVec3 delta = Sub(second, first);
    DVec3 legs[3];
    for (int k = 0; k < 3; ++k) {
      const DVec3 axis = Axis(placement, axisOrder[k]);
      legs[k] = Scaled(axis, delta.Dot(axis));
    }
    const double share = std::min(1.0, std::max(0.0, static_cast<double>(dragFactor)));
    points.push_back(Add(points.back(), legs[0], share));
    points.push_back(Add(points.back(), legs[1]));
    points.push_back(Add(points.back(), legs[2]));
  }
  // The second end is placed as given, not as the sum of the legs: axes that do not span the
  // space (a degenerate placement) must not move the end.
  points.push_back(second);
  AddExtensions(points, startExtension, endExtension);
}

double StartExtension(const std::vector<DPoint3D>& points)
{
  return points.size() < STRAIGHT_POINT_COUNT ? 0.0 : Sub(points[1], points[0]).Norm();
}

double EndExtension(const std::vector<DPoint3D>& points)
{
  const std::size_t n = points.size();
  return n < STRAIGHT_POINT_COUNT ? 0.0 : Sub(points[n - 1], points[n - 2]).Norm();
}

float DragFactor(const std::vector<DPoint3D>& points, float fallback)
{
  if (points.size() != ROUTED_POINT_COUNT)
    return fallback;
  // The first leg is split around the middle legs: its two parts together are the whole leg.
  const DVec3 before = Sub(points[2], points[1]);
  const DVec3 after = Sub(points[5], points[4]);
  const DVec3 whole(before.x + after.x, before.y + after.y, before.z + after.z);
  const double lengthSquared = whole.Dot(whole);
  if (lengthSquared == 0.0)
    return fallback;
  return static_cast<float>(std::min(1.0, std::max(0.0, before.Dot(whole) / lengthSquared)));
}

} // namespace tqmk::CenterLineRoute
