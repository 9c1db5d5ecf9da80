#pragma once

#include <dg/DPoint3D.h>
#include <du/RefCounted.h>
#include <du/Symbol.h>
#include <tqg/FaceKind.h>

#include <array>
#include <vector>

namespace tqg {

//! A named face of a shape, stored as triangles in the shape's own coordinate space.
//!
//! The name identifies the face within its shape (a part's face "top", for example); the kind
//! says which surface the triangles stand for.
class Face : public du::RefCounted
{
public:
  using Triangle = std::array<dg::DPoint3D, 3>;

  Face(const du::Symbol& name, FaceKind kind) : m_name(name), m_kind(kind) {}

  const du::Symbol& GetName() const { return m_name; }
  FaceKind GetKind() const { return m_kind; }

  void AddTriangle(const dg::DPoint3D& a, const dg::DPoint3D& b, const dg::DPoint3D& c);
  const std::vector<Triangle>& GetTriangles() const { return m_triangles; }

private:
  du::Symbol m_name;
  FaceKind m_kind;
  std::vector<Triangle> m_triangles;
};

} // namespace tqg
