#pragma once

#include <dg/DPoint3D.h>
#include <du/RefCounted.h>
#include <du/Symbol.h>

#include <vector>

namespace tqg {

//! A named edge of a shape: a polyline through its points, in the shape's own space.
class Edge : public du::RefCounted
{
public:
  Edge(const du::Symbol& name, std::vector<dg::DPoint3D> points)
    : m_name(name), m_points(std::move(points))
  {
  }

  const du::Symbol& GetName() const { return m_name; }
  const std::vector<dg::DPoint3D>& GetPoints() const { return m_points; }

private:
  du::Symbol m_name;
  std::vector<dg::DPoint3D> m_points;
};

} // namespace tqg
