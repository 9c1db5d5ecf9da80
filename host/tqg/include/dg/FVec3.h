#pragma once

namespace dg {

//! A vector in 3-D space, in single precision.
struct FVec3
{
  float x = 0.0f;
  float y = 0.0f;
  float z = 0.0f;

  constexpr FVec3() = default;
  constexpr FVec3(float vx, float vy, float vz) : x(vx), y(vy), z(vz) {}
};

} // namespace dg
