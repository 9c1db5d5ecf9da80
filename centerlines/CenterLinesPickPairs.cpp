#include <tqannotations/CenterLinesAnnotation.h>

#include <tqg/ClosestPoints.h>
#include <tqg/Edge.h>
#include <tqg/Face.h>
#include <tqg/Shape.h>

#include <cmath>

namespace tqannotations {
namespace {

// What a slot gives as each kind of item; faces and edges are limited by the bounds of the views.
du::SmartPtr<tqg::Shape> ShapeOf(const SlotObject& slot, const dg::DBox&) { return slot.GetShapeData(); }
du::SmartPtr<tqg::Face> FaceOf(const SlotObject& slot, const dg::DBox& bounds)
{
  return slot.GetFaceData(bounds);
}
du::SmartPtr<tqg::Edge> EdgeOf(const SlotObject& slot, const dg::DBox& bounds)
{
  return slot.GetEdgeData(bounds);
}

// The slot object at the index; null past the last slot, so that a wrong index gives no pair.
du::SmartPtr<SlotObject> SlotAt(const AssocAnnotation::Slots& slots, unsigned index)
{
  return index < slots.size() ? slots[index] : du::SmartPtr<SlotObject>();
}

// The geometry library marks "no answer" with NaN coordinates; only x is looked at, as a segment
// is either wholly there or wholly missing.
bool TakePair(const dg::Segment<double, 3>& segment, dg::DPoint3D& p1, dg::DPoint3D& p2)
{
  if (std::isnan(segment.start.x) || std::isnan(segment.end.x))
    return false;
  p1 = segment.start;
  p2 = segment.end;
  return true;
}

// The nearest points between two items, each placed by its slot's matrix.
template <class First, class Second>
bool PlacedPair(const AssocAnnotation::Slots& slots, unsigned i, unsigned j, const dg::DBox& bounds,
                du::SmartPtr<First> (*firstOf)(const SlotObject&, const dg::DBox&),
                du::SmartPtr<Second> (*secondOf)(const SlotObject&, const dg::DBox&), dg::DPoint3D& p1,
                dg::DPoint3D& p2)
{
  const du::SmartPtr<SlotObject> firstSlot = SlotAt(slots, i);
  const du::SmartPtr<SlotObject> secondSlot = SlotAt(slots, j);
  if (!firstSlot || !secondSlot)
    return false;
  const du::SmartPtr<First> first = firstOf(*firstSlot, bounds);
  if (!first)
    return false;
  const du::SmartPtr<Second> second = secondOf(*secondSlot, bounds);
  if (!second)
    return false;
  return TakePair(tqg::GetClosestPoints(first, firstSlot->GetMatrix(), second, secondSlot->GetMatrix()), p1,
                  p2);
}

// The nearest points between an item, placed by its slot's matrix, and the point picked into the
// other slot, which is in world space already. A pick that gave no point pairs with nothing. The
// query runs from the point to the item, so its ends are swapped: like every pair, this one starts
// on the item of slot i.
template <class First>
bool PointPair(const AssocAnnotation::Slots& slots, unsigned i, unsigned j, const dg::DBox& bounds,
               du::SmartPtr<First> (*firstOf)(const SlotObject&, const dg::DBox&), dg::DPoint3D& p1,
               dg::DPoint3D& p2)
{
  const du::SmartPtr<SlotObject> firstSlot = SlotAt(slots, i);
  const du::SmartPtr<SlotObject> pointSlot = SlotAt(slots, j);
  dg::DPoint3D point;
  if (!firstSlot || !pointSlot || !pointSlot->GetPoint(point))
    return false;
  const du::SmartPtr<First> first = firstOf(*firstSlot, bounds);
  if (!first)
    return false;
  return TakePair(tqg::GetClosestPoints(first, firstSlot->GetMatrix(), point), p2, p1);
}

} // namespace

bool CenterLinesAnnotation::ShapeToShape(unsigned i, unsigned j, dg::DPoint3D& p1, dg::DPoint3D& p2) const
{
  return PlacedPair(m_slots, i, j, GetViewBoundsBox(), ShapeOf, ShapeOf, p1, p2);
}

bool CenterLinesAnnotation::ShapeToFace(unsigned i, unsigned j, dg::DPoint3D& p1, dg::DPoint3D& p2) const
{
  return PlacedPair(m_slots, i, j, GetViewBoundsBox(), ShapeOf, FaceOf, p1, p2);
}

bool CenterLinesAnnotation::ShapeToEdge(unsigned i, unsigned j, dg::DPoint3D& p1, dg::DPoint3D& p2) const
{
  return PlacedPair(m_slots, i, j, GetViewBoundsBox(), ShapeOf, EdgeOf, p1, p2);
}

bool CenterLinesAnnotation::FaceToEdge(unsigned i, unsigned j, dg::DPoint3D& p1, dg::DPoint3D& p2) const
{
  return PlacedPair(m_slots, i, j, GetViewBoundsBox(), FaceOf, EdgeOf, p1, p2);
}

bool CenterLinesAnnotation::ShapeToPoint(unsigned i, unsigned j, dg::DPoint3D& p1, dg::DPoint3D& p2) const
{
  return PointPair(m_slots, i, j, GetViewBoundsBox(), ShapeOf, p1, p2);
}

bool CenterLinesAnnotation::FaceToPoint(unsigned i, unsigned j, dg::DPoint3D& p1, dg::DPoint3D& p2) const
{
  return PointPair(m_slots, i, j, GetViewBoundsBox(), FaceOf, p1, p2);
}

bool CenterLinesAnnotation::EdgeToEdge(unsigned, unsigned, dg::DPoint3D&, dg::DPoint3D&) const
{
  return false;
}

bool CenterLinesAnnotation::EdgeToPoint(unsigned, unsigned, dg::DPoint3D&, dg::DPoint3D&) const
{
  return false;
}

bool CenterLinesAnnotation::FaceToFace(unsigned, unsigned, dg::DPoint3D&, dg::DPoint3D&) const
{
  return false;
}

} // namespace tqannotations
