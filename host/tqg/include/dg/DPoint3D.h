#pragma once

#include <dg/DVec3.h>
#include <dg/FPoint3D.h>

namespace dg {

class Location;

//! A point in 3-D space, in double precision.
//!
//! Converts to and from dg::DVec3 implicitly: offsets are kept as points and added to points,
//! and differences of points are stored as offsets. A float point widens to it without loss.
struct DPoint3D
{
  static const DPoint3D ORIGIN;
  //! A marker for "no point": far outside any drawing, and equal to itself (it holds no NaN).
  static const DPoint3D BAD;

  double x = 0.0;
  double y = 0.0;
  double z = 0.0;

  constexpr DPoint3D() = default;
  constexpr DPoint3D(double px, double py, double pz) : x(px), y(py), z(pz) {}
  constexpr DPoint3D(const DVec3& v) : x(v.x), y(v.y), z(v.z) {}
  constexpr DPoint3D(const FPoint3D& p) : x(p.x), y(p.y), z(p.z) {}

  constexpr operator DVec3() const { return DVec3(x, y, z); }

  //! Carries the point by the placement (see operator*(const DPoint3D&, const Location&)).
  DPoint3D& operator*=(const Location& location);
};

} // namespace dg
