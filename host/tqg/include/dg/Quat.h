#pragma once

#include <dg/DVec3.h>

namespace dg {

class FMat33;

//! An orientation as a unit quaternion (x, y, z vector part, w scalar part).
struct Quat
{
  double x = 0.0;
  double y = 0.0;
  double z = 0.0;
  double w = 1.0;

  constexpr Quat() = default;
  constexpr Quat(double qx, double qy, double qz, double qw) : x(qx), y(qy), z(qz), w(qw) {}

  //! The rotation by angle radians about the axis; the identity for a zero axis.
  static Quat FromAxisAngle(const DVec3& axis, double angle);

  //! This quaternion scaled to unit length; the identity when it has none.
  Quat Normalized() const;
  //! The rotation as a matrix for row vectors (p' = p * m).
  FMat33 ToMatrix() const;
  //! The rotation of a rotation matrix for row vectors (the matrix must be orthonormal).
  static Quat FromMatrix(const FMat33& rotation);

  bool operator==(const Quat& other) const
  {
    return x == other.x && y == other.y && z == other.z && w == other.w;
  }
  bool operator!=(const Quat& other) const { return !(*this == other); }
};

} // namespace dg
