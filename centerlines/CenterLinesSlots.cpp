#include "centerlines/FiniteCenterLineValues.h"
#include "common/WriteLockGuard.h"

#include <tqannotations/CenterLinesAnnotation.h>
#include <tqannotations/MeasurementObserver.h>
#include <tqk/AnnoSet.h>
#include <tqk/AsyncEvent.h>
#include <tqk/SelectionItem.h>
#include <tqmu/ConstructionConstraint.h>

namespace tqannotations {

namespace {

bool IsEnd(int end)
{
  return end == CenterLinesAnnotation::FIRST_END || end == CenterLinesAnnotation::SECOND_END;
}

} // namespace

bool CenterLinesAnnotation::SetObjects(const std::vector<du::SmartPtr<tqk::SelectionItem>>& items,
                                       const du::SmartPtr<tqk::AsyncEvent>& request, bool start)
{
  WriteLockGuard lock(*this);
  // With a picked coordinate system, two items are the first item and the system.
  const bool skipSecond = m_style.csysType == CenterStyle::CSYS_PICKED && items.size() == 2;
  std::size_t item = 0;
  for (int slot = 0; slot < m_slotCount; ++item, ++slot) {
    if (item >= items.size()) {
      _ClearSlot(slot);
      continue;
    }
    if (item == 1 && skipSecond)
      _ClearSlot(slot++);
    _PutSelectionObjectIntoSlot(slot, items[item]);
    m_slots[slot]->AddConstraint(tqmu::ConstructionConstraint::ON_OBJECT);
    m_slots[slot]->SetConstraint(tqmu::ConstructionConstraint::ON_OBJECT);
    if (slot < m_slotCount - 1)
      (slot == 0 ? m_location1 : m_location2) = GetShapeLocationData(slot);
  }
  m_primaryIdentity.Take(m_slots[0]);
  // A request that is replaced before it was answered hears that it failed: every request is
  // answered exactly once.
  if (m_request != request)
    PostMeasurementValidation(false);
  m_request = request;
  if (start && !StartMeasurement())
    PostMeasurementValidation(false);
  return true;
}

bool CenterLinesAnnotation::SetActiveObject(const du::SmartPtr<tqk::SelectionItem>& item)
{
  WriteLockGuard lock(*this);
  if (IsSelectionItemThisObject(item) || m_activeSlot < 0 || m_activeSlot >= m_slotCount ||
      m_slots[0]->GetSelectionItem() == item)
    return false;
  _PutSelectionObjectIntoSlot(0, item);
  m_primaryIdentity.Take(m_slots[0]);
  Post(new MeasurementObserver::ObjectChangedEvent(m_activeSlot, item, IsSlotValid(m_activeSlot)));
  StartMeasurement();
  return true;
}

bool CenterLinesAnnotation::SetCSysObject(const du::SmartPtr<tqk::SelectionItem>& item)
{
  WriteLockGuard lock(*this);
  const int last = m_slotCount - 1;
  if (IsSelectionItemThisObject(item) || m_slots[last]->GetSelectionItem() == item)
    return false;
  _PutSelectionObjectIntoSlot(last, item);
  Post(new MeasurementObserver::ActiveSlotChangedEvent(m_activeSlot));
  StartMeasurement();
  return true;
}

bool CenterLinesAnnotation::SetActiveSlot(int slot)
{
  WriteLockGuard lock(*this);
  AssocAnnotation::SetActiveSlot(slot);
  Post(new MeasurementObserver::ActiveSlotChangedEvent(slot));
  return true;
}

// The slot operations below take the write lock although the host's thread alone calls them:
// other threads read the slots and the style meanwhile.
bool CenterLinesAnnotation::ClearSlot(int slot)
{
  WriteLockGuard lock(*this);
  _ClearSlot(slot);
  m_primaryIdentity.Take(m_slots[0]);
  Post(new MeasurementObserver::ActiveSlotChangedEvent(m_activeSlot));
  StartMeasurement();
  return true;
}

bool CenterLinesAnnotation::ClearCSysSlot()
{
  WriteLockGuard lock(*this);
  _ClearSlot(m_slotCount - 1);
  return true;
}

void CenterLinesAnnotation::SetPoint(dg::DPoint3D point, float extent, du::SmartPtr<tqk::SelectionItem>& item,
                                     AttachedPoint end)
{
  if (!IsEnd(end) || !dg::IsFinite(point))
    return;
  WriteLockGuard lock(*this);
  if (end == FIRST_END) {
    m_style.endpointOffset = dg::DPoint3D(point.x - m_point1.x, point.y - m_point1.y, point.z - m_point1.z);
    m_style.lineExtent1 = extent;
  } else {
    m_style.anchorOffset = dg::DPoint3D(point.x - m_point2.x, point.y - m_point2.y, point.z - m_point2.z);
    m_style.lineExtent2 = extent;
  }
  if (!item) {
    _ClearSlot(end);
    m_primaryIdentity.Take(m_slots[0]);
    Post(new MeasurementObserver::ActiveSlotChangedEvent(m_activeSlot));
    StartMeasurement();
  } else
    SetAttachedItem(item, end);
  if (const du::SmartPtr<tqk::AnnoSet> set = GetAnnoSet())
    set->AnnotationModified(du::SmartPtr<tqk::Annotation>(this), true);
  CreateRepresentations();
  ReCalculateMarkup();
  Post(new MeasurementObserver::ParametersChangedEvent);
}

void CenterLinesAnnotation::SetCSys(CenterStyle::CSYS_ID id, CenterStyle::CSYS_TYPE type,
                                    dg::Location placement, du::SmartPtr<tqk::SelectionItem> item)
{
  if (!dg::IsFinite(placement))
    return;
  WriteLockGuard lock(*this);
  m_style.csysId = id;
  m_csys = placement;
  SetCSysObject(item);
  m_style.csysType = type;
  if (type == CenterStyle::CSYS_PART || type == CenterStyle::CSYS_WORLD || type == CenterStyle::CSYS_PICKED)
    m_style.alongXYZ = true;
}

void CenterLinesAnnotation::SetAttachedItem(const du::SmartPtr<tqk::SelectionItem>& item, AttachedPoint end)
{
  if (!item || !IsEnd(end))
    return;
  WriteLockGuard lock(*this);
  const du::SmartPtr<tqk::Scene> scene = GetAttachedScene();
  UnHighlightAssociatedObjects(scene);
  _PutSelectionObjectIntoSlot(end, item);
  m_primaryIdentity.Take(m_slots[0]);
  m_slots[end]->AddConstraint(tqmu::ConstructionConstraint::ON_OBJECT);
  m_slots[end]->SetConstraint(tqmu::ConstructionConstraint::ON_OBJECT);
  if (m_slotCount > 2)
    (end == FIRST_END ? m_location1 : m_location2) = GetShapeLocationData(end);
  if (end == SECOND_END && m_slotCount > 1 && m_slots[1]->IsObjectValid())
    for (const du::SmartPtr<CenterLinesRepresentation>& representation : m_representations)
      if (representation)
        representation->SetEndPointAttached(true);
  HighlightAssociatedObjects(scene);
}

} // namespace tqannotations
