#pragma once

namespace dg {

//! A vector in the plane, in single precision.
struct FVec2
{
  float x = 0.0f;
  float y = 0.0f;

  constexpr FVec2() = default;
  constexpr FVec2(float vx, float vy) : x(vx), y(vy) {}

  float Norm() const;
};

} // namespace dg
