#pragma once

#include <dg/DPoint3D.h>

namespace dg {

//! An axis-aligned box in double precision; empty as dg::FBox is.
struct DBox
{
  DPoint3D min;
  DPoint3D max;

  DBox();
  constexpr DBox(const DPoint3D& minimum, const DPoint3D& maximum) : min(minimum), max(maximum) {}

  bool IsEmpty() const { return min.x > max.x || min.y > max.y || min.z > max.z; }
  DPoint3D GetCenter() const;
  void Extend(const DPoint3D& point);
};

} // namespace dg
