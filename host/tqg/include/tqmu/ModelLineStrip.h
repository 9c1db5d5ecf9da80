#pragma once

#include <dg/DPoint3D.h>
#include <tqmu/ModelBase.h>

#include <vector>

namespace tqmu {

//! A drawn polyline through its vertices, in the node's space.
//!
//! Settings: whether it is drawn over everything else, and its own line width (pixels) and
//! stipple scale, each 0 to take the one of its attribute vector.
class ModelLineStrip : public ModelBase
{
public:
  //! An empty strip with room for that many vertices.
  explicit ModelLineStrip(int reservedVertices);

  //! The vertices, for reading and for editing in place.
  std::vector<dg::DPoint3D>& GetVertices() { return m_vertices; }
  const std::vector<dg::DPoint3D>& GetVertices() const { return m_vertices; }

  void SetDrawOnTop(bool onTop) { m_drawOnTop = onTop; }
  bool IsDrawnOnTop() const { return m_drawOnTop; }
  void SetLineWidth(float pixels) { m_lineWidth = pixels; }
  float GetLineWidth() const { return m_lineWidth; }
  void SetStippleScale(float scale) { m_stippleScale = scale; }
  float GetStippleScale() const { return m_stippleScale; }

private:
  std::vector<dg::DPoint3D> m_vertices;
  bool m_drawOnTop = true;
  float m_lineWidth = 1.0f;
  float m_stippleScale = 1.0f;
};

} // namespace tqmu
