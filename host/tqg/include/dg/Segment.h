#pragma once

#include <dg/DPoint3D.h>
#include <dg/FPoint2D.h>
#include <dg/FPoint3D.h>

namespace dg {

template <class T, int N>
struct PointType;
template <>
struct PointType<float, 2>
{
  using type = FPoint2D;
};
template <>
struct PointType<float, 3>
{
  using type = FPoint3D;
};
template <>
struct PointType<double, 3>
{
  using type = DPoint3D;
};

//! A segment from a start point to an end point, of N coordinates of type T.
template <class T, int N>
struct Segment
{
  using Point = typename PointType<T, N>::type;

  Point start;
  Point end;

  constexpr Segment() = default;
  constexpr Segment(const Point& from, const Point& to) : start(from), end(to) {}
};

} // namespace dg
