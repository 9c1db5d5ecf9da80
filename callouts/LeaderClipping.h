#pragma once

// The 2-D geometry with which a callout ends its leaders at the edge of a frameless label's text.

#include <dg/FBox2D.h>
#include <dg/FPoint2D.h>
#include <dg/FVec2.h>
#include <dg/Segment.h>

namespace tqannotations {

//! The crossing of the line from p0 along d0 with the line from p1 along d1: s on the first
//! line, u on the second (p0 + d0 * s = p1 + d1 * u). False, leaving s and u as they were, when
//! the lines are parallel within the tolerance.
bool IntersectLines2D(const dg::FPoint2D& p0, const dg::FVec2& d0, const dg::FPoint2D& p1,
                      const dg::FVec2& d1, float tolerance, float& s, float& u);

//! Where the segment first crosses the box outline, walking the edges from corner 0 through
//! corners 2, 3 and 1 back to 0; both ends of the segment and of each edge count. On a crossing,
//! hit is the point and t its parameter along the segment; otherwise t is 1 and hit untouched.
bool IntersectBoxOutline(const dg::FBox2D& box, const dg::Segment<float, 2>& segment, dg::FPoint2D& hit,
                         float& t);

} // namespace tqannotations
