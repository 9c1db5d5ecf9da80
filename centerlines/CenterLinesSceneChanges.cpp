#include "common/ReadLockGuard.h"
#include "common/ValueOperators.h"
#include "common/WriteLockGuard.h"

#include <tqannotations/CenterLinesAnnotation.h>
#include <tqannotations/MeasurementObserver.h>
#include <moduleutils/NewLumbraDerivedCSys.h>
#include <tqk/AnnoSet.h>
#include <tqk/GeometrySelectionItem.h>
#include <tqk/Instance.h>
#include <tqk/ObjectSelectionItem.h>
#include <tqk/ShapeInstance.h>
#include <tqk/ShapeScene.h>
#include <tqk/illustration/SbomInstance.h>
#include <tqk/illustration/SbomInstanceSelectionItem.h>

#include <algorithm>
#include <set>

namespace tqannotations {
namespace {

using Instances = std::set<du::SmartPtr<tqk::Instance>>;

bool ListHoldsInstance(const AssocAnnotation::ShapeInstances& parts, const du::SmartPtr<tqk::Object>& object)
{
  if (!object)
    return false;
  return std::any_of(parts.begin(), parts.end(), [&](const du::SmartPtr<tqk::ShapeInstance>& part) {
    return part && part->GetInstance() == object;
  });
}

// The host instances that the structure instance behind the item stands for: every member of a
// weld, or its one engineering instance.
Instances StructureInstancesOf(const du::SmartPtr<tqk::SelectionItem>& item)
{
  Instances instances;
  const auto structureItem = du::SmartPtr<tqk::illustration::SbomInstanceSelectionItem>::DynamicCast(item);
  const du::SmartPtr<tqk::illustration::SbomInstance> structure =
      structureItem ? structureItem->GetSbomInstance() : nullptr;
  if (!structure)
    return instances;
  if (structure->IsWeld()) {
    Instances below; // the members further down, which are not asked for
    structure->GetEbomInstancesForWeld(instances, below);
  } else if (const du::SmartPtr<tqk::Instance> instance = structure->GetEbomInstance())
    instances.insert(instance);
  return instances;
}

} // namespace

bool CenterLinesAnnotation::SlotContainsShapeInstance(const ShapeInstances& parts, int slot, bool all) const
{
  WriteLockGuard lock(*this);
  if (parts.empty() || slot < 0 || slot >= static_cast<int>(m_slots.size()) || !m_slots[slot])
    return false;
  const du::SmartPtr<tqk::SelectionItem> item = m_slots[slot]->GetSelectionItem();
  if (!item)
    return false;
  if (const auto objectItem = du::SmartPtr<tqk::ObjectSelectionItem>::DynamicCast(item))
    return ListHoldsInstance(parts, objectItem->GetObject());
  if (const auto geometryItem = du::SmartPtr<tqk::GeometrySelectionItem>::DynamicCast(item))
    return ListHoldsInstance(parts, geometryItem->GetParentObject());
  const Instances instances = StructureInstancesOf(item);
  // A structure instance without instances (a weld without members) holds no part, so it must
  // not claim every list.
  if (instances.empty())
    return false;
  const auto inList = [&](const du::SmartPtr<tqk::Instance>& instance) {
    return ListHoldsInstance(parts, instance);
  };
  return all ? std::all_of(instances.begin(), instances.end(), inList)
             : std::any_of(instances.begin(), instances.end(), inList);
}

bool CenterLinesAnnotation::SlotListContainsShapeInstance(const ShapeInstances& parts, int& slot,
                                                          bool all) const
{
  for (int candidate = 0; candidate < m_slotCount; ++candidate)
    if (SlotContainsShapeInstance(parts, candidate, all)) {
      slot = candidate;
      return true;
    }
  return false;
}

void CenterLinesAnnotation::OnShapeInstancesPositionModified(const ShapeInstances& parts)
{
  WriteLockGuard lock(*this);
  if (!m_style.attached || !m_measured || !m_shapeScene)
    return;
  bool endMoved = false;
  for (const AttachedPoint end : {FIRST_END, SECOND_END}) {
    const bool wholeItemMoved = SlotContainsShapeInstance(parts, end, true);
    if (!wholeItemMoved && !SlotContainsShapeInstance(parts, end, false))
      continue;
    dg::Location placement;
    if (!DeriveSlotPlacement(end, placement))
      continue; // nothing says where the part went
    dg::Location& stored = end == FIRST_END ? m_location1 : m_location2;
    if (wholeItemMoved) {
      dg::DPoint3D& endPoint = end == FIRST_END ? m_point1 : m_point2;
      endPoint = endPoint + (placement.GetPosition() - stored.GetPosition());
      endMoved = true;
    }
    stored = placement;
  }
  if (!endMoved)
    return;
  UpdateRepresentations();
  Post(new MeasurementObserver::ParametersChangedEvent);
}

void CenterLinesAnnotation::OnShapeInstancesAppearanceModified(const ShapeInstances& parts)
{
  if (!IsFollowingParts() || !IsFirstSlotIn(parts, false))
    return;
  ShapeInstances firstParts;
  GetShapeInstanceList(0, firstParts);
  const bool anyVisible =
      std::any_of(firstParts.begin(), firstParts.end(),
                  [](const du::SmartPtr<tqk::ShapeInstance>& part) { return part->IsVisible(); });
  // No lock here: Show and Hide call back into ShowAnnotation and HideAnnotation.
  if (anyVisible)
    Show(false);
  else
    Hide(false);
}

void CenterLinesAnnotation::OnShapeInstancesRemove(const ShapeInstances& parts)
{
  if (!IsFollowingParts() || !IsFirstSlotIn(parts, true))
    return;
  const du::SmartPtr<tqk::AnnoSet> set = GetAnnoSet();
  if (!set)
    return;
  // The set may hold the last reference; this one keeps the line whole until the notice is done.
  const du::SmartPtr<CenterLinesAnnotation> self(this);
  set->RemoveAnnotationFromSet(self, nullptr);
}

void CenterLinesAnnotation::OnShapeInstancesCreate(const ShapeInstances& parts)
{
  if (!IsFollowingParts() || !IsFirstSlotIn(parts, false))
    return;
  WriteLockGuard lock(*this);
  dg::Location placement;
  if (DeriveSlotPlacement(FIRST_END, placement))
    m_location1 = placement;
}

bool CenterLinesAnnotation::IsFollowingParts() const
{
  ReadLockGuard lock(*this);
  return m_style.attached && m_measured && m_shapeScene;
}

bool CenterLinesAnnotation::IsFirstSlotIn(const ShapeInstances& parts, bool all) const
{
  int slot = -1;
  return SlotListContainsShapeInstance(parts, slot, all) && slot == 0;
}

bool CenterLinesAnnotation::DeriveSlotPlacement(int slot, dg::Location& placement)
{
  ReadLockGuard lock(*this);
  if (slot < 0 || slot >= static_cast<int>(m_slots.size()) || !m_slots[slot])
    return false;
  const du::SmartPtr<moduleutils::LumbraDerivedCSys> system = moduleutils::NewLumbraDerivedCSys(
      m_shapeScene, m_slots[slot]->GetSelectionItem(), moduleutils::LumbraDerivedCSys::PLACEMENT);
  if (!system || !system->IsValid())
    return false;
  // The part's position; the orientation is left alone.
  placement = dg::Location::IDENTITY;
  placement.SetPos(system->GetPlacement().GetPosition());
  return true;
}

} // namespace tqannotations
