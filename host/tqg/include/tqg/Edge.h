#pragma once

#include <dg/DPoint3D.h>
#include <dg/DVec3.h>
#include <du/SmartPtr.h>
#include <du/Symbol.h>
#include <tqg/Curve3D.h>
#include <tqg/Geometry.h>

#include <vector>

namespace tqg {

//! A named edge of a shape: a polyline through its points, in the shape's own space.
//!
//! Its curve tells its form: a tqg::Geom_ParticularCurve3D of a dg::Segment<double, 3> for a
//! straight edge (two points), of the list of points for any other.
class Edge : public Geometry
{
public:
  Edge(const du::Symbol& name, std::vector<dg::DPoint3D> points);

  //! A circle around centre in the plane across normal, as a closed polyline of segments pieces
  //! (at least 3).
  static du::SmartPtr<Edge> CreateCircle(const du::Symbol& name, const dg::DPoint3D& centre,
                                         const dg::DVec3& normal, double radius, int segments);

  const du::Symbol& GetName() const { return m_name; }
  const std::vector<dg::DPoint3D>& GetPoints() const { return m_points; }
  const du::SmartPtr<Curve3D>& GetCurve() const { return m_curve; }

  dg::DBox GetWorldBox(const dg::DMat44& placement) const override;

private:
  du::Symbol m_name;
  std::vector<dg::DPoint3D> m_points;
  du::SmartPtr<Curve3D> m_curve;
};

} // namespace tqg
