#pragma once

namespace dg {

//! A point in 3-D space, in single precision.
struct FPoint3D
{
  float x = 0.0f;
  float y = 0.0f;
  float z = 0.0f;

  constexpr FPoint3D() = default;
  constexpr FPoint3D(float px, float py, float pz) : x(px), y(py), z(pz) {}
};

} // namespace dg
