#include "callouts/LeaderClipping.h"

#include "common/ValueOperators.h"

#include <dg/Traits.h>

#include <cmath>

namespace tqannotations {

bool IntersectLines2D(const dg::FPoint2D& p0, const dg::FVec2& d0, const dg::FPoint2D& p1,
                      const dg::FVec2& d1, float tolerance, float& s, float& u)
{
  const double cross = double(d0.x) * d1.y - double(d0.y) * d1.x;
  if (!(std::fabs(cross) > tolerance))
    return false;
  const double ex = double(p1.x) - p0.x;
  const double ey = double(p1.y) - p0.y;
  const double onSecond = (ex * d0.y - ey * d0.x) / cross;
  // Divide by the larger component of the first direction, which the crossing makes non-zero.
  const double onFirst =
      std::fabs(d0.y) <= std::fabs(d0.x) ? (onSecond * d1.x + ex) / d0.x : (onSecond * d1.y + ey) / d0.y;
  s = float(onFirst);
  u = float(onSecond);
  return true;
}

bool IntersectBoxOutline(const dg::FBox2D& box, const dg::Segment<float, 2>& segment, dg::FPoint2D& hit,
                         float& t)
{
  t = 1.0f;
  if (box.IsEmpty())
    return false;
  const dg::FPoint2D walk[5] = {box.GetCorner(0), box.GetCorner(2), box.GetCorner(3), box.GetCorner(1),
                                box.GetCorner(0)};
  const dg::FVec2 direction = segment.end - segment.start;
  const float tolerance = dg::Traits<float>::s_EPSILON * direction.Norm();
  for (int k = 1; k < 5; ++k) {
    const dg::FVec2 edge = walk[k - 1] - walk[k];
    float s = 0.0f;
    float u = 0.0f;
    if (!IntersectLines2D(segment.start, direction, walk[k], edge, tolerance, s, u))
      continue;
    if (s >= 0.0f && s <= 1.0f && u >= 0.0f && u <= 1.0f) {
      hit = segment.start + direction * s;
      t = s;
      return true;
    }
  }
  return false;
}

} // namespace tqannotations
