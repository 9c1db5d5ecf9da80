#pragma once

#include <dg/DPoint3D.h>
#include <tqmu/ModelBase.h>

namespace tqmu {

//! A grab point that a drag shadow draws at one of its points: a small square of width by height
//! pixels, placed by its location's position.
//!
//! Flags: movable (the user may drag it; set when made), end point (drawn larger, for the ends of
//! a line) and pickable (the host hands it to the shadow as the model object under the mouse).
class ModelShadowPoint : public ModelBase
{
public:
  ModelShadowPoint(const dg::DPoint3D& position, float width, float height, bool filled);

  float GetWidth() const { return m_width; }
  float GetHeight() const { return m_height; }
  bool IsFilled() const { return m_filled; }

  void SetMovable(bool movable) { m_movable = movable; }
  bool IsMovable() const { return m_movable; }
  void SetEndPoint(bool endPoint) { m_endPoint = endPoint; }
  bool IsEndPoint() const { return m_endPoint; }
  void SetPickable(bool pickable) { m_pickable = pickable; }
  bool IsPickable() const { return m_pickable; }

private:
  float m_width;
  float m_height;
  bool m_filled;
  bool m_movable = true;
  bool m_endPoint = false;
  bool m_pickable = false;
};

} // namespace tqmu
