#pragma once

#include <dg/DPoint3D.h>
#include <dg/Location.h>

#include <cstdint>
#include <vector>

namespace tqmk {

//! The polyline rule of a center line, kept apart from the markup so that it can be checked alone.
//!
//! Every polyline starts and ends with an extension point, [E0, first, ..., second, E1], so that
//! point 1 is always the first end and point count - 2 the second, even for zero extensions.
//! A straight line has four points. A routed line has seven: from the first end it runs a
//! dragFactor share of the leg along the first axis, then the whole legs along the second and
//! third axes, then the rest of the first leg into the second end; the axes are the placement's,
//! taken in axisOrder.
namespace CenterLineRoute {

constexpr std::size_t STRAIGHT_POINT_COUNT = 4;
constexpr std::size_t ROUTED_POINT_COUNT = 7;

void Build(const dg::DPoint3D& first, const dg::DPoint3D& second, bool routed, float startExtension,
           float endExtension, float dragFactor, const dg::Location& placement,
           const std::uint16_t axisOrder[3], std::vector<dg::DPoint3D>& points);

//! How far the extension points stand off the ends: |P1 - P0| and |P[n-1] - P[n-2]|; 0 for a
//! polyline too short to have them.
double StartExtension(const std::vector<dg::DPoint3D>& points);
double EndExtension(const std::vector<dg::DPoint3D>& points);

//! The share of the first axis leg before the first corner of a routed polyline, in [0, 1];
//! fallback when the polyline is not routed or that leg has no length.
float DragFactor(const std::vector<dg::DPoint3D>& points, float fallback);

} // namespace CenterLineRoute
} // namespace tqmk
