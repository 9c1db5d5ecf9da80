#pragma once

#include <dg/DPoint3D.h>
#include <tqmu/ModelBase.h>

#include <vector>

namespace tqmu {

//! A drawn polyline through its vertices, in the node's space.
//!
//! Settings: whether it is drawn over everything else, and its line width and stipple scale as
//! factors of its attribute vector's (0 keeps the vector's own).
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
  void SetLineWidthFactor(float factor) { m_lineWidthFactor = factor; }
  float GetLineWidthFactor() const { return m_lineWidthFactor; }
  void SetStippleScaleFactor(float factor) { m_stippleScaleFactor = factor; }
  float GetStippleScaleFactor() const { return m_stippleScaleFactor; }

private:
  std::vector<dg::DPoint3D> m_vertices;
  bool m_drawOnTop = true;
  float m_lineWidthFactor = 1.0f;
  float m_stippleScaleFactor = 1.0f;
};

} // namespace tqmu
