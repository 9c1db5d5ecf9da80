#pragma once

#include <dg/DMat44.h>

namespace dg {

//! The camera of a view: where the viewer stands and how the scene is projected.
//!
//! Its transformation matrix carries world points into the view's 2-D space: x to the right and
//! y up, in pixels from the view's lower-left corner, and z the depth along the line of sight,
//! growing away from the viewer, who stands at depth 0. A pick at (x, y) looks along that line
//! from depth 0 on, nearest depth first.
class Camera3D
{
public:
  //! A camera looking down the world's z axis, one world unit per pixel.
  Camera3D() = default;
  explicit Camera3D(const DMat44& transformation) : m_transformation(transformation) {}

  const DMat44& GetTransformationMatrix() const { return m_transformation; }
  void SetTransformationMatrix(const DMat44& transformation) { m_transformation = transformation; }

private:
  DMat44 m_transformation;
};

} // namespace dg
