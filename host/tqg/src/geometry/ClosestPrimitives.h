#pragma once

#include <dg/DPoint3D.h>

#include <array>
#include <optional>
#include <vector>

namespace tqg {

//! The world-space pieces that closest-point queries compare: triangles, segments and points.
//!
//! Faces, edges and shapes are turned into one of these under their placement, so that every
//! pairing of items reduces to the same brute-force search over pairs of pieces.
struct PrimitiveSet
{
  using Triangle = std::array<dg::DPoint3D, 3>;
  using Segment = std::array<dg::DPoint3D, 2>;

  std::vector<Triangle> triangles;
  std::vector<Segment> segments;
  std::vector<dg::DPoint3D> points;

  bool IsEmpty() const { return triangles.empty() && segments.empty() && points.empty(); }
};

//! The two nearest points of a pair of pieces, one on each, and the square of their distance.
struct ClosestPair
{
  dg::DPoint3D onFirst;
  dg::DPoint3D onSecond;
  double distanceSquared = 0.0;
};

ClosestPair ClosestPointSegment(const dg::DPoint3D& point, const PrimitiveSet::Segment& segment);
ClosestPair ClosestPointTriangle(const dg::DPoint3D& point, const PrimitiveSet::Triangle& triangle);
ClosestPair ClosestSegmentSegment(const PrimitiveSet::Segment& first, const PrimitiveSet::Segment& second);
ClosestPair ClosestSegmentTriangle(const PrimitiveSet::Segment& segment,
                                   const PrimitiveSet::Triangle& triangle);
ClosestPair ClosestTriangleTriangle(const PrimitiveSet::Triangle& first,
                                    const PrimitiveSet::Triangle& second);

//! The nearest pair between any piece of the first set and any piece of the second; nothing when
//! either set is empty. Ties keep the pair found first.
std::optional<ClosestPair> FindClosestPair(const PrimitiveSet& first, const PrimitiveSet& second);

} // namespace tqg
