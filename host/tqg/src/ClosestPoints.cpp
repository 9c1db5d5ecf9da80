#include <tqg/ClosestPoints.h>
#include <tqg/Face.h>

#include <limits>

namespace tqg {

namespace {

// Point arithmetic of the host's own; the dg operators on points belong to the plug-in.
dg::DVec3 Sub(const dg::DPoint3D& a, const dg::DPoint3D& b)
{
  return dg::DVec3(a.x - b.x, a.y - b.y, a.z - b.z);
}

dg::DPoint3D Along(const dg::DPoint3D& a, const dg::DVec3& d, double t)
{
  return dg::DPoint3D(a.x + d.x * t, a.y + d.y * t, a.z + d.z * t);
}

dg::DPoint3D At(const dg::DPoint3D& a, const dg::DVec3& ab, double v, const dg::DVec3& ac, double w)
{
  return dg::DPoint3D(a.x + ab.x * v + ac.x * w, a.y + ab.y * v + ac.y * w,
                      a.z + ab.z * v + ac.z * w);
}

// The point of triangle abc nearest to p, by the regions of its vertices, edges and interior.
dg::DPoint3D ClosestOnTriangle(const dg::DPoint3D& p, const dg::DPoint3D& a, const dg::DPoint3D& b,
                               const dg::DPoint3D& c)
{
  const dg::DVec3 ab = Sub(b, a), ac = Sub(c, a), ap = Sub(p, a);
  const double d1 = ab.Dot(ap), d2 = ac.Dot(ap);
  if (d1 <= 0 && d2 <= 0)
    return a;
  const dg::DVec3 bp = Sub(p, b);
  const double d3 = ab.Dot(bp), d4 = ac.Dot(bp);
  if (d3 >= 0 && d4 <= d3)
    return b;
  const double vc = d1 * d4 - d3 * d2;
  if (vc <= 0 && d1 >= 0 && d3 <= 0)
    return Along(a, ab, d1 / (d1 - d3));
  const dg::DVec3 cp = Sub(p, c);
  const double d5 = ab.Dot(cp), d6 = ac.Dot(cp);
  if (d6 >= 0 && d5 <= d6)
    return c;
  const double vb = d5 * d2 - d1 * d6;
  if (vb <= 0 && d2 >= 0 && d6 <= 0)
    return Along(a, ac, d2 / (d2 - d6));
  const double va = d3 * d6 - d5 * d4;
  if (va <= 0 && (d4 - d3) >= 0 && (d5 - d6) >= 0)
    return Along(b, Sub(c, b), (d4 - d3) / ((d4 - d3) + (d5 - d6)));
  const double denominator = va + vb + vc;
  if (denominator == 0) // a degenerate triangle: its vertices lie on one line
    return a;
  return At(a, ab, vb / denominator, ac, vc / denominator);
}

} // namespace

dg::Segment<double, 3> GetClosestPoints(const Face* face, const dg::DMat44& transform,
                                        const dg::DPoint3D& point)
{
  const double nan = std::numeric_limits<double>::quiet_NaN();
  dg::Segment<double, 3> result(dg::DPoint3D(nan, nan, nan), dg::DPoint3D(nan, nan, nan));
  if (!face || face->GetTriangles().empty())
    return result;
  double best = std::numeric_limits<double>::infinity();
  for (const Face::Triangle& triangle : face->GetTriangles()) {
    const dg::DPoint3D nearest = ClosestOnTriangle(point, triangle[0] * transform,
                                                   triangle[1] * transform, triangle[2] * transform);
    const double distance = Sub(nearest, point).Dot(Sub(nearest, point));
    if (distance < best) {
      best = distance;
      result.end = nearest;
    }
  }
  result.start = point;
  return result;
}

} // namespace tqg
