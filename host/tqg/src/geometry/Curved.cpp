#include <dg/Segment.h>
#include <tqg/Edge.h>
#include <tqg/Face.h>
#include <tqg/Geom_ParticularCurve3D.h>
#include <tqg/WorldBox.h>

#include <algorithm>
#include <cmath>

namespace tqg {

namespace {

dg::DVec3 Unit(const dg::DVec3& v)
{
  const double length = v.Norm();
  return length > 0.0 ? dg::DVec3(v.x / length, v.y / length, v.z / length) : dg::DVec3(0, 0, 1);
}

// Two unit vectors across the axis and across each other.
void Across(const dg::DVec3& axis, dg::DVec3& u, dg::DVec3& v)
{
  const dg::DVec3 helper = std::abs(axis.x) < 0.9 ? dg::DVec3(1, 0, 0) : dg::DVec3(0, 1, 0);
  u = Unit(axis.Cross(helper));
  v = axis.Cross(u);
}

dg::DPoint3D OnCircle(const dg::DPoint3D& centre, const dg::DVec3& u, const dg::DVec3& v, double radius,
                      double angle)
{
  const double c = radius * std::cos(angle);
  const double s = radius * std::sin(angle);
  return dg::DPoint3D(centre.x + c * u.x + s * v.x, centre.y + c * u.y + s * v.y,
                      centre.z + c * u.z + s * v.z);
}

constexpr double kTurn = 6.283185307179586;

} // namespace

du::SmartPtr<Face> Face::CreateCylinder(const du::Symbol& name, const dg::DPoint3D& baseCentre,
                                        const dg::DVec3& axis, double radius, double height, int segments)
{
  du::SmartPtr<Face> face(new Face(name, FaceKind::CYLINDRICAL));
  face->m_axisOrigin = baseCentre;
  face->m_axisDirection = Unit(axis);
  face->m_radius = radius;
  const dg::DVec3& along = face->m_axisDirection;
  const dg::DPoint3D topCentre(baseCentre.x + height * along.x, baseCentre.y + height * along.y,
                               baseCentre.z + height * along.z);
  dg::DVec3 u, v;
  Across(along, u, v);
  const int count = std::max(3, segments);
  for (int i = 0; i < count; ++i) {
    const double from = kTurn * i / count;
    const double to = kTurn * (i + 1) / count;
    const dg::DPoint3D a = OnCircle(baseCentre, u, v, radius, from);
    const dg::DPoint3D b = OnCircle(baseCentre, u, v, radius, to);
    const dg::DPoint3D c = OnCircle(topCentre, u, v, radius, to);
    const dg::DPoint3D d = OnCircle(topCentre, u, v, radius, from);
    face->AddTriangle(a, b, c);
    face->AddTriangle(a, c, d);
  }
  return face;
}

dg::DBox Face::GetWorldBox(const dg::DMat44& placement) const { return tqg::GetWorldBox(*this, placement); }

Edge::Edge(const du::Symbol& name, std::vector<dg::DPoint3D> points)
    : m_name(name), m_points(std::move(points))
{
  if (m_points.size() == 2)
    m_curve =
        new Geom_ParticularCurve3D<dg::Segment<double, 3>>(dg::Segment<double, 3>(m_points[0], m_points[1]));
  else
    m_curve = new Geom_ParticularCurve3D<std::vector<dg::DPoint3D>>(m_points);
}

du::SmartPtr<Edge> Edge::CreateCircle(const du::Symbol& name, const dg::DPoint3D& centre,
                                      const dg::DVec3& normal, double radius, int segments)
{
  dg::DVec3 u, v;
  Across(Unit(normal), u, v);
  const int count = std::max(3, segments);
  std::vector<dg::DPoint3D> points;
  for (int i = 0; i <= count; ++i)
    points.push_back(OnCircle(centre, u, v, radius, kTurn * (i % count) / count));
  return du::SmartPtr<Edge>(new Edge(name, std::move(points)));
}

dg::DBox Edge::GetWorldBox(const dg::DMat44& placement) const { return tqg::GetWorldBox(*this, placement); }

} // namespace tqg
