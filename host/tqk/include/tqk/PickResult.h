#pragma once

#include <dg/DPoint3D.h>
#include <du/SmartPtr.h>
#include <tqk/Object.h>

namespace tqk {

//! One hit of a pick: the object hit (a tqk::ShapeInstance for a part) and the point hit on it,
//! in the scene's space.
class PickResult
{
public:
  PickResult(const du::SmartPtr<Object>& object, const dg::DPoint3D& point) : m_object(object), m_point(point)
  {}

  const du::SmartPtr<Object>& GetObject() const { return m_object; }
  const dg::DPoint3D& GetPickedPoint() const { return m_point; }

private:
  du::SmartPtr<Object> m_object;
  dg::DPoint3D m_point;
};

} // namespace tqk
