#pragma once

#include <dg/DPoint3D.h>
#include <dg/DVec3.h>
#include <du/SmartPtr.h>
#include <du/Symbol.h>
#include <tqg/FaceKind.h>
#include <tqg/Geometry.h>

#include <array>
#include <vector>

namespace tqg {

//! A named face of a shape, stored as triangles in the shape's own coordinate space.
//!
//! The name identifies the face within its shape (a part's face "top", for example); the kind
//! says which surface the triangles stand for. A cylindrical face also keeps its cylinder: the
//! axis through a point along a unit direction, and the radius.
class Face : public Geometry
{
public:
  using Triangle = std::array<dg::DPoint3D, 3>;

  Face(const du::Symbol& name, FaceKind kind) : m_name(name), m_kind(kind) {}

  //! The side of a cylinder from the circle around baseCentre to the one height further along
  //! axis (made unit), faceted into segments quads (at least 3).
  static du::SmartPtr<Face> CreateCylinder(const du::Symbol& name, const dg::DPoint3D& baseCentre,
                                           const dg::DVec3& axis, double radius, double height, int segments);

  const du::Symbol& GetName() const { return m_name; }
  FaceKind GetKind() const { return m_kind; }
  bool IsPlane() const { return m_kind == FaceKind::PLANAR; }

  //! The cylinder's axis and radius; a point at the origin, no direction and 0 for other kinds.
  const dg::DPoint3D& GetAxisOrigin() const { return m_axisOrigin; }
  const dg::DVec3& GetAxisDirection() const { return m_axisDirection; }
  double GetRadius() const { return m_radius; }

  dg::DBox GetWorldBox(const dg::DMat44& placement) const override;

  void AddTriangle(const dg::DPoint3D& a, const dg::DPoint3D& b, const dg::DPoint3D& c);
  const std::vector<Triangle>& GetTriangles() const { return m_triangles; }

private:
  du::Symbol m_name;
  FaceKind m_kind;
  std::vector<Triangle> m_triangles;
  dg::DPoint3D m_axisOrigin;
  dg::DVec3 m_axisDirection;
  double m_radius = 0.0;
};

} // namespace tqg
