#pragma once

#include <dg/FPoint2D.h>
#include <dg/FVec2.h>

namespace dg {

//! An axis-aligned rectangle in single precision. Empty when its minimum exceeds its maximum.
struct FBox2D
{
  FPoint2D min;
  FPoint2D max;

  FBox2D();
  constexpr FBox2D(const FPoint2D& minimum, const FPoint2D& maximum) : min(minimum), max(maximum) {}

  bool IsEmpty() const { return min.x > max.x || min.y > max.y; }
  //! Moves the rectangle by the offset, or so that its origin lands on the point. An empty
  //! rectangle stays as it is.
  void Translate(const FVec2& offset);
  void Translate(const FPoint2D& point) { Translate(FVec2(point.x, point.y)); }
  //! Corner 0 to 3: bit 0 picks the larger x, bit 1 the larger y, so 0, 2, 3, 1 walks the outline.
  FPoint2D GetCorner(int index) const;
};

} // namespace dg
