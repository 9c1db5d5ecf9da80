#pragma once

// Arithmetic and comparison of the host's value types, in the operands' own precision, and
// whether a point or a colour is finite.
// Comparisons are exact: a NaN component makes points differ and boxes unequal.

#include <dg/Color.h>
#include <dg/DPoint3D.h>
#include <dg/DVec3.h>
#include <dg/FBox.h>
#include <dg/FPoint2D.h>
#include <dg/FVec2.h>

#include <cmath>

namespace dg {

inline FVec2 operator+(const FVec2& a, const FVec2& b) { return FVec2(a.x + b.x, a.y + b.y); }
inline FVec2 operator-(const FVec2& a, const FVec2& b) { return FVec2(a.x - b.x, a.y - b.y); }
inline FVec2 operator*(const FVec2& a, const FVec2& b) { return FVec2(a.x * b.x, a.y * b.y); }
inline FVec2 operator*(const FVec2& v, float k) { return FVec2(v.x * k, v.y * k); }
inline FVec2 operator*(float k, const FVec2& v) { return v * k; }
inline FVec2 operator/(const FVec2& v, float k) { return FVec2(v.x / k, v.y / k); }
inline FPoint2D operator+(const FPoint2D& p, const FVec2& v) { return FPoint2D(p.x + v.x, p.y + v.y); }
inline FVec2 operator-(const FPoint2D& a, const FPoint2D& b) { return FVec2(a.x - b.x, a.y - b.y); }

inline DVec3 operator+(const DVec3& a, const DVec3& b) { return DVec3(a.x + b.x, a.y + b.y, a.z + b.z); }
inline DVec3 operator-(const DVec3& a, const DVec3& b) { return DVec3(a.x - b.x, a.y - b.y, a.z - b.z); }
inline DVec3 operator*(const DVec3& v, double k) { return DVec3(v.x * k, v.y * k, v.z * k); }
inline DVec3 operator*(double k, const DVec3& v) { return v * k; }
inline DPoint3D operator+(const DPoint3D& p, const DVec3& v)
{
  return DPoint3D(p.x + v.x, p.y + v.y, p.z + v.z);
}
inline DVec3 operator-(const DPoint3D& a, const DPoint3D& b)
{
  return DVec3(a.x - b.x, a.y - b.y, a.z - b.z);
}
inline bool operator!=(const DPoint3D& a, const DPoint3D& b)
{
  return !(a.x == b.x && a.y == b.y && a.z == b.z);
}
inline bool IsFinite(const DPoint3D& p)
{
  return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z);
}
inline bool IsFinite(const Color& c)
{
  return std::isfinite(c.r) && std::isfinite(c.g) && std::isfinite(c.b) && std::isfinite(c.a);
}

inline bool operator==(const FBox& a, const FBox& b)
{
  return a.min.x == b.min.x && a.min.y == b.min.y && a.min.z == b.min.z && a.max.x == b.max.x &&
         a.max.y == b.max.y && a.max.z == b.max.z;
}

} // namespace dg
