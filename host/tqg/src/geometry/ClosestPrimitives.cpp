#include "ClosestPrimitives.h"

#include <algorithm>

namespace tqg {

namespace {

using dg::DPoint3D;
using dg::DVec3;
using Segment = PrimitiveSet::Segment;
using Triangle = PrimitiveSet::Triangle;

DVec3 Sub(const DPoint3D& a, const DPoint3D& b) { return DVec3(a.x - b.x, a.y - b.y, a.z - b.z); }
DPoint3D Along(const DPoint3D& from, const DVec3& direction, double t)
{
  return DPoint3D(from.x + t * direction.x, from.y + t * direction.y, from.z + t * direction.z);
}
double LengthSquared(const DVec3& v) { return v.Dot(v); }
double Clamp01(double value) { return std::min(1.0, std::max(0.0, value)); }

ClosestPair MakePair(const DPoint3D& onFirst, const DPoint3D& onSecond)
{
  return ClosestPair{onFirst, onSecond, LengthSquared(Sub(onFirst, onSecond))};
}

ClosestPair Swapped(const ClosestPair& pair)
{
  return ClosestPair{pair.onSecond, pair.onFirst, pair.distanceSquared};
}

void KeepNearer(ClosestPair& best, const ClosestPair& candidate)
{
  if (candidate.distanceSquared < best.distanceSquared)
    best = candidate;
}

// A triangle without area has no inside; its edges are all there is of it.
bool IsDegenerate(const Triangle& triangle)
{
  const DVec3 ab = Sub(triangle[1], triangle[0]);
  const DVec3 ac = Sub(triangle[2], triangle[0]);
  return LengthSquared(ab.Cross(ac)) <= 1e-24 * LengthSquared(ab) * LengthSquared(ac);
}

std::array<Segment, 3> EdgesOf(const Triangle& triangle)
{
  return {Segment{triangle[0], triangle[1]}, Segment{triangle[1], triangle[2]},
          Segment{triangle[2], triangle[0]}};
}

// Where the segment passes through the triangle's inside, if it does. A segment lying in the
// triangle's plane is left to the edge and vertex distances, which then reach zero themselves.
std::optional<DPoint3D> Crossing(const Segment& segment, const Triangle& triangle)
{
  if (IsDegenerate(triangle))
    return std::nullopt;
  const DVec3 normal = Sub(triangle[1], triangle[0]).Cross(Sub(triangle[2], triangle[0]));
  const double startSide = normal.Dot(Sub(segment[0], triangle[0]));
  const double endSide = normal.Dot(Sub(segment[1], triangle[0]));
  if ((startSide > 0.0 && endSide > 0.0) || (startSide < 0.0 && endSide < 0.0) || startSide == endSide)
    return std::nullopt;
  const DPoint3D hit = Along(segment[0], Sub(segment[1], segment[0]), startSide / (startSide - endSide));
  for (int i = 0; i < 3; ++i) {
    const DPoint3D& from = triangle[i];
    const DPoint3D& to = triangle[(i + 1) % 3];
    if (normal.Dot(Sub(to, from).Cross(Sub(hit, from))) < 0.0)
      return std::nullopt;
  }
  return hit;
}

} // namespace

ClosestPair ClosestPointSegment(const DPoint3D& point, const Segment& segment)
{
  const DVec3 direction = Sub(segment[1], segment[0]);
  const double lengthSquared = LengthSquared(direction);
  const double t = lengthSquared > 0.0 ? Clamp01(direction.Dot(Sub(point, segment[0])) / lengthSquared) : 0.0;
  return MakePair(point, Along(segment[0], direction, t));
}

ClosestPair ClosestPointTriangle(const DPoint3D& point, const Triangle& triangle)
{
  if (IsDegenerate(triangle)) {
    ClosestPair best = ClosestPointSegment(point, EdgesOf(triangle)[0]);
    for (const Segment& edge : EdgesOf(triangle))
      KeepNearer(best, ClosestPointSegment(point, edge));
    return best;
  }
  // The point's projection falls in one of seven regions: a vertex, an edge, or the inside.
  const DPoint3D& a = triangle[0];
  const DPoint3D& b = triangle[1];
  const DPoint3D& c = triangle[2];
  const DVec3 ab = Sub(b, a);
  const DVec3 ac = Sub(c, a);
  const DVec3 ap = Sub(point, a);
  const double d1 = ab.Dot(ap);
  const double d2 = ac.Dot(ap);
  if (d1 <= 0.0 && d2 <= 0.0)
    return MakePair(point, a);
  const DVec3 bp = Sub(point, b);
  const double d3 = ab.Dot(bp);
  const double d4 = ac.Dot(bp);
  if (d3 >= 0.0 && d4 <= d3)
    return MakePair(point, b);
  const double vc = d1 * d4 - d3 * d2;
  if (vc <= 0.0 && d1 >= 0.0 && d3 <= 0.0)
    return MakePair(point, Along(a, ab, d1 / (d1 - d3)));
  const DVec3 cp = Sub(point, c);
  const double d5 = ab.Dot(cp);
  const double d6 = ac.Dot(cp);
  if (d6 >= 0.0 && d5 <= d6)
    return MakePair(point, c);
  const double vb = d5 * d2 - d1 * d6;
  if (vb <= 0.0 && d2 >= 0.0 && d6 <= 0.0)
    return MakePair(point, Along(a, ac, d2 / (d2 - d6)));
  const double va = d3 * d6 - d5 * d4;
  if (va <= 0.0 && d4 - d3 >= 0.0 && d5 - d6 >= 0.0)
    return MakePair(point, Along(b, Sub(c, b), (d4 - d3) / ((d4 - d3) + (d5 - d6))));
  const double denominator = 1.0 / (va + vb + vc);
  return MakePair(point, Along(Along(a, ab, vb * denominator), ac, vc * denominator));
}

ClosestPair ClosestSegmentSegment(const Segment& first, const Segment& second)
{
  const DVec3 d1 = Sub(first[1], first[0]);
  const DVec3 d2 = Sub(second[1], second[0]);
  const DVec3 r = Sub(first[0], second[0]);
  const double a = LengthSquared(d1);
  const double e = LengthSquared(d2);
  const double f = d2.Dot(r);
  double s = 0.0;
  double t = 0.0;
  if (a == 0.0 && e == 0.0)
    return MakePair(first[0], second[0]);
  if (a == 0.0)
    t = Clamp01(f / e);
  else {
    const double c = d1.Dot(r);
    if (e == 0.0)
      s = Clamp01(-c / a);
    else {
      const double b = d1.Dot(d2);
      const double denominator = a * e - b * b;
      // Parallel segments: any s will do; start from the first's start and let t settle it.
      s = denominator != 0.0 ? Clamp01((b * f - c * e) / denominator) : 0.0;
      t = (b * s + f) / e;
      if (t < 0.0) {
        t = 0.0;
        s = Clamp01(-c / a);
      } else if (t > 1.0) {
        t = 1.0;
        s = Clamp01((b - c) / a);
      }
    }
  }
  return MakePair(Along(first[0], d1, s), Along(second[0], d2, t));
}

ClosestPair ClosestSegmentTriangle(const Segment& segment, const Triangle& triangle)
{
  if (const std::optional<DPoint3D> hit = Crossing(segment, triangle))
    return ClosestPair{*hit, *hit, 0.0};
  ClosestPair best = ClosestPointTriangle(segment[0], triangle);
  KeepNearer(best, ClosestPointTriangle(segment[1], triangle));
  for (const Segment& edge : EdgesOf(triangle))
    KeepNearer(best, ClosestSegmentSegment(segment, edge));
  return best;
}

ClosestPair ClosestTriangleTriangle(const Triangle& first, const Triangle& second)
{
  for (const Segment& edge : EdgesOf(first))
    if (const std::optional<DPoint3D> hit = Crossing(edge, second))
      return ClosestPair{*hit, *hit, 0.0};
  for (const Segment& edge : EdgesOf(second))
    if (const std::optional<DPoint3D> hit = Crossing(edge, first))
      return ClosestPair{*hit, *hit, 0.0};
  ClosestPair best = ClosestPointTriangle(first[0], second);
  for (const DPoint3D& vertex : first)
    KeepNearer(best, ClosestPointTriangle(vertex, second));
  for (const DPoint3D& vertex : second)
    KeepNearer(best, Swapped(ClosestPointTriangle(vertex, first)));
  for (const Segment& edge : EdgesOf(first))
    for (const Segment& other : EdgesOf(second))
      KeepNearer(best, ClosestSegmentSegment(edge, other));
  return best;
}

std::optional<ClosestPair> FindClosestPair(const PrimitiveSet& first, const PrimitiveSet& second)
{
  std::optional<ClosestPair> best;
  const auto consider = [&best](const ClosestPair& candidate) {
    if (!best || candidate.distanceSquared < best->distanceSquared)
      best = candidate;
  };
  for (const Triangle& triangle : first.triangles) {
    for (const Triangle& other : second.triangles)
      consider(ClosestTriangleTriangle(triangle, other));
    for (const Segment& other : second.segments)
      consider(Swapped(ClosestSegmentTriangle(other, triangle)));
    for (const DPoint3D& other : second.points)
      consider(Swapped(ClosestPointTriangle(other, triangle)));
  }
  for (const Segment& segment : first.segments) {
    for (const Triangle& other : second.triangles)
      consider(ClosestSegmentTriangle(segment, other));
    for (const Segment& other : second.segments)
      consider(ClosestSegmentSegment(segment, other));
    for (const DPoint3D& other : second.points)
      consider(Swapped(ClosestPointSegment(other, segment)));
  }
  for (const DPoint3D& point : first.points) {
    for (const Triangle& other : second.triangles)
      consider(ClosestPointTriangle(point, other));
    for (const Segment& other : second.segments)
      consider(ClosestPointSegment(point, other));
    for (const DPoint3D& other : second.points)
      consider(MakePair(point, other));
  }
  return best;
}

} // namespace tqg
