#pragma once

namespace dg {

//! A point in the plane, in single precision.
struct FPoint2D
{
  float x = 0.0f;
  float y = 0.0f;

  constexpr FPoint2D() = default;
  constexpr FPoint2D(float px, float py) : x(px), y(py) {}
};

} // namespace dg
