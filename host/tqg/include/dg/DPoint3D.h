#pragma once

namespace dg {

class Location;

//! A point in 3-D space, in double precision.
struct DPoint3D
{
  static const DPoint3D ORIGIN;

  double x = 0.0;
  double y = 0.0;
  double z = 0.0;

  constexpr DPoint3D() = default;
  constexpr DPoint3D(double px, double py, double pz) : x(px), y(py), z(pz) {}

  //! Carries the point by the placement (see operator*(const DPoint3D&, const Location&)).
  DPoint3D& operator*=(const Location& location);
};

} // namespace dg
