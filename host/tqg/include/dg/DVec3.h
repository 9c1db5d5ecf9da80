#pragma once

namespace dg {

//! A vector in 3-D space, in double precision.
struct DVec3
{
  static const DVec3 ZERO;

  double x = 0.0;
  double y = 0.0;
  double z = 0.0;

  constexpr DVec3() = default;
  constexpr DVec3(double vx, double vy, double vz) : x(vx), y(vy), z(vz) {}

  double Norm() const;
  double Dot(const DVec3& other) const { return x * other.x + y * other.y + z * other.z; }
  DVec3 Cross(const DVec3& other) const
  {
    return DVec3(y * other.z - z * other.y, z * other.x - x * other.z, x * other.y - y * other.x);
  }
};

} // namespace dg
