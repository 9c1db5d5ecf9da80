#pragma once

#include <dg/FPoint3D.h>

namespace dg {

//! An axis-aligned box in single precision, given by its two corners.
//!
//! The empty box has its minimum corner at +FLT_MAX and its maximum at -FLT_MAX: it holds no
//! NaN, so it compares equal to itself exactly, and extending it by a point gives that point.
struct FBox
{
  static const FBox EMPTY;

  FPoint3D min;
  FPoint3D max;

  FBox();
  constexpr FBox(const FPoint3D& minimum, const FPoint3D& maximum) : min(minimum), max(maximum) {}

  bool IsEmpty() const { return min.x > max.x || min.y > max.y || min.z > max.z; }
  FPoint3D GetCenter() const;
  void Extend(const FPoint3D& point);
  void Extend(const FBox& box);
};

} // namespace dg
