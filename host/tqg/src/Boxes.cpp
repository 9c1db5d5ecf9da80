#include <dg/DBox.h>
#include <dg/FBox.h>
#include <dg/FBox2D.h>

#include <algorithm>
#include <cfloat>
#include <limits>

namespace dg {

const FBox FBox::EMPTY;

FBox::FBox() : min(FLT_MAX, FLT_MAX, FLT_MAX), max(-FLT_MAX, -FLT_MAX, -FLT_MAX) {}

FPoint3D FBox::GetCenter() const
{
  return FPoint3D((min.x + max.x) / 2, (min.y + max.y) / 2, (min.z + max.z) / 2);
}

void FBox::Extend(const FPoint3D& p)
{
  min = FPoint3D(std::min(min.x, p.x), std::min(min.y, p.y), std::min(min.z, p.z));
  max = FPoint3D(std::max(max.x, p.x), std::max(max.y, p.y), std::max(max.z, p.z));
}

void FBox::Extend(const FBox& box)
{
  if (box.IsEmpty())
    return;
  Extend(box.min);
  Extend(box.max);
}

FBox2D::FBox2D() : min(FLT_MAX, FLT_MAX), max(-FLT_MAX, -FLT_MAX) {}

void FBox2D::Translate(const FVec2& offset)
{
  if (IsEmpty())
    return;
  min = FPoint2D(min.x + offset.x, min.y + offset.y);
  max = FPoint2D(max.x + offset.x, max.y + offset.y);
}

FPoint2D FBox2D::GetCorner(int index) const
{
  return FPoint2D(index & 1 ? max.x : min.x, index & 2 ? max.y : min.y);
}

DBox::DBox() : min(DBL_MAX, DBL_MAX, DBL_MAX), max(-DBL_MAX, -DBL_MAX, -DBL_MAX) {}

DPoint3D DBox::GetCenter() const
{
  return DPoint3D((min.x + max.x) / 2, (min.y + max.y) / 2, (min.z + max.z) / 2);
}

void DBox::Extend(const DPoint3D& p)
{
  min = DPoint3D(std::min(min.x, p.x), std::min(min.y, p.y), std::min(min.z, p.z));
  max = DPoint3D(std::max(max.x, p.x), std::max(max.y, p.y), std::max(max.z, p.z));
}

} // namespace dg
