#include <tqannotations/CenterLinesAnnotation.h>

#include <tqg/ClosestPoints.h>
#include <tqg/Edge.h>
#include <tqg/Face.h>
#include <tqg/Shape.h>

#include <cmath>

namespace tqannotations {
namespace {

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

// The slot object at the index; null past the last slot, so that a wrong index gives no pair.
du::SmartPtr<SlotObject> SlotAt(const AssocAnnotation::Slots& slots, unsigned index)
{
  return index < slots.size() ? slots[index] : du::SmartPtr<SlotObject>();
}

} // namespace

bool CenterLinesAnnotation::ShapeToShape(unsigned i, unsigned j, dg::DPoint3D& p1, dg::DPoint3D& p2) const
{
  const du::SmartPtr<SlotObject> first = SlotAt(m_slots, i);
  const du::SmartPtr<SlotObject> second = SlotAt(m_slots, j);
  if (!first || !second)
    return false;
  const du::SmartPtr<tqg::Shape> firstShape = first->GetShapeData();
  if (!firstShape)
    return false;
  const du::SmartPtr<tqg::Shape> secondShape = second->GetShapeData();
  if (!secondShape)
    return false;
  return TakePair(tqg::GetClosestPoints(firstShape, first->GetMatrix(), secondShape, second->GetMatrix()), p1,
                  p2);
}

bool CenterLinesAnnotation::ShapeToFace(unsigned i, unsigned j, dg::DPoint3D& p1, dg::DPoint3D& p2) const
{
  const du::SmartPtr<SlotObject> first = SlotAt(m_slots, i);
  const du::SmartPtr<SlotObject> second = SlotAt(m_slots, j);
  if (!first || !second)
    return false;
  const du::SmartPtr<tqg::Shape> shape = first->GetShapeData();
  if (!shape)
    return false;
  const du::SmartPtr<tqg::Face> face = second->GetFaceData(GetViewBoundsBox());
  if (!face)
    return false;
  return TakePair(tqg::GetClosestPoints(shape, first->GetMatrix(), face, second->GetMatrix()), p1, p2);
}

bool CenterLinesAnnotation::ShapeToEdge(unsigned i, unsigned j, dg::DPoint3D& p1, dg::DPoint3D& p2) const
{
  const du::SmartPtr<SlotObject> first = SlotAt(m_slots, i);
  const du::SmartPtr<SlotObject> second = SlotAt(m_slots, j);
  if (!first || !second)
    return false;
  const du::SmartPtr<tqg::Shape> shape = first->GetShapeData();
  if (!shape)
    return false;
  const du::SmartPtr<tqg::Edge> edge = second->GetEdgeData(GetViewBoundsBox());
  if (!edge)
    return false;
  return TakePair(tqg::GetClosestPoints(shape, first->GetMatrix(), edge, second->GetMatrix()), p1, p2);
}

bool CenterLinesAnnotation::FaceToEdge(unsigned i, unsigned j, dg::DPoint3D& p1, dg::DPoint3D& p2) const
{
  const du::SmartPtr<SlotObject> first = SlotAt(m_slots, i);
  const du::SmartPtr<SlotObject> second = SlotAt(m_slots, j);
  if (!first || !second)
    return false;
  const du::SmartPtr<tqg::Face> face = first->GetFaceData(GetViewBoundsBox());
  if (!face)
    return false;
  const du::SmartPtr<tqg::Edge> edge = second->GetEdgeData(GetViewBoundsBox());
  if (!edge)
    return false;
  return TakePair(tqg::GetClosestPoints(face, first->GetMatrix(), edge, second->GetMatrix()), p1, p2);
}

bool CenterLinesAnnotation::ShapeToPoint(unsigned i, unsigned j, dg::DPoint3D& p1, dg::DPoint3D& p2) const
{
  const du::SmartPtr<SlotObject> first = SlotAt(m_slots, i);
  const du::SmartPtr<SlotObject> second = SlotAt(m_slots, j);
  dg::DPoint3D point;
  if (!first || !second || !second->GetPoint(point))
    return false;
  const du::SmartPtr<tqg::Shape> shape = first->GetShapeData();
  if (!shape)
    return false;
  return TakePair(tqg::GetClosestPoints(shape, first->GetMatrix(), point), p1, p2);
}

bool CenterLinesAnnotation::FaceToPoint(unsigned i, unsigned j, dg::DPoint3D& p1, dg::DPoint3D& p2) const
{
  const du::SmartPtr<SlotObject> first = SlotAt(m_slots, i);
  const du::SmartPtr<SlotObject> second = SlotAt(m_slots, j);
  dg::DPoint3D point;
  if (!first || !second || !second->GetPoint(point))
    return false;
  const du::SmartPtr<tqg::Face> face = first->GetFaceData(GetViewBoundsBox());
  if (!face)
    return false;
  return TakePair(tqg::GetClosestPoints(face, first->GetMatrix(), point), p1, p2);
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
