#pragma once

// Whether the values a center line draws and saves are finite numbers. A value that is not would
// be drawn and saved as it is, and read back as missing: the setters leave such values out.

#include "common/ValueOperators.h"

#include <dg/DMat44.h>
#include <dg/Location.h>
#include <tqannotations/CenterLinesInfo.h>
#include <tqannotations/CenterStyle.h>

#include <cmath>
#include <cstdint>

namespace dg {

//! Every number of the placement, its matrix and its origin alike.
inline bool IsFinite(const Location& placement)
{
  const DMat44 matrix = placement.GetXform();
  for (int row = 0; row < 4; ++row)
    for (int column = 0; column < 4; ++column)
      if (!std::isfinite(matrix(row, column)))
        return false;
  return true;
}

} // namespace dg

namespace tqannotations {

//! Whether the groups of the mask that Sync takes over are finite: the colour, the width and the
//! two extents are numbers that can be not.
inline bool IsFiniteUnder(const CenterStyle& style, std::uint16_t mask)
{
  return (!(mask & CenterStyle::STROKE_COLOR) || dg::IsFinite(style.strokeColor)) &&
         (!(mask & CenterStyle::LINE_WIDTH) || std::isfinite(style.lineWidth)) &&
         (!(mask & CenterStyle::LINE_EXTENT_1) || std::isfinite(style.lineExtent1)) &&
         (!(mask & CenterStyle::LINE_EXTENT_2) || std::isfinite(style.lineExtent2));
}

//! Every number of the style that is drawn and saved: those Sync takes over, the drag factor and
//! the two end offsets.
inline bool IsFinite(const CenterStyle& style)
{
  return IsFiniteUnder(style, 0xFFFF) && std::isfinite(style.dragFactor) &&
         dg::IsFinite(style.anchorOffset) && dg::IsFinite(style.endpointOffset);
}

//! Everything applying the snapshot takes: the ends, the positions of the picked items, the style
//! and the coordinate-system placement. The jogs, which it does not take, do not count.
inline bool IsFinite(const CenterLinesInfo& info)
{
  return dg::IsFinite(info.point1) && dg::IsFinite(info.point2) && dg::IsFinite(info.location1) &&
         dg::IsFinite(info.location2) && IsFinite(info.style) && dg::IsFinite(info.csys);
}

} // namespace tqannotations
