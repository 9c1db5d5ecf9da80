#include "common/ReadLockGuard.h"
#include "common/WriteLockGuard.h"

#include <moduleutils/NewLumbraDerivedCSys.h>
#include <tqannotations/CenterLinesAnnotation.h>
#include <tqk/AsyncEvent.h>
#include <tqk/GeometrySelectionItem.h>
#include <tqk/Instance.h>
#include <tqk/ObjectSelectionItem.h>
#include <tqk/ShapeInstance.h>
#include <tqk/ShapeScene.h>
#include <tqk/illustration/SbomInstanceSelectionItem.h>

#include <utility>

namespace tqannotations {

namespace {

const du::Symbol kMeasurementFailed("Failed to create center line");
constexpr unsigned short kMeasurementFailedCode = 1;

} // namespace

bool CenterLinesAnnotation::StartMeasurement()
{
  WriteLockGuard lock(*this);
  if (!ValidateObjects()) {
    // A line whose slots fail is no longer measured, so nothing redraws the stale line later.
    m_measured = false;
    RemoveMarkup();
    return false;
  }
  ClearAsyncEvents();
  if (!m_shapeScene)
    return true;
  bool requested = false;
  for (int slot = 0; slot < m_slotCount; ++slot) {
    if (!m_slots[slot] || !m_slots[slot]->IsObjectValid())
      continue;
    ShapeInstances parts;
    GetShapeInstanceList(slot, parts);
    for (const du::SmartPtr<tqk::ShapeInstance>& part : parts)
      if (part)
        requested = LoadGeometry(part, 1) || requested;
  }
  if (!requested)
    OnAllGeometryLoaded();
  return true;
}

void CenterLinesAnnotation::OnAllGeometryLoaded()
{
  WriteLockGuard lock(*this);
  GetViewBounds();
}

void CenterLinesAnnotation::OnViewBoundsReceived()
{
  WriteLockGuard lock(*this);
  CreateMeasurementFromPicks();
}

void CenterLinesAnnotation::CreateMeasurementFromPicks()
{
  WriteLockGuard lock(*this);
  if (!m_shapeScene && !m_measurementView)
    return;
  m_measured = true;
  MeasurementComplete(nullptr);
}

void CenterLinesAnnotation::CreateApproximateShapeViewMeasurement()
{
  WriteLockGuard lock(*this);
  m_measured = true;
  MeasurementComplete(nullptr);
}

void CenterLinesAnnotation::MeasurementComplete(tqgeom::GeometryEvent*)
{
  WriteLockGuard lock(*this);
  if (!m_measured) {
    PostMeasurementValidation(false);
    return;
  }
  // Slots that stopped validating since the measurement started draw no stale line, and the
  // line is no longer measured, so that nothing draws it again later.
  if (!ValidateObjects()) {
    m_measured = false;
    RemoveMarkup();
    PostMeasurementValidation(false);
    return;
  }
  m_location1 = GetShapeLocationData(0);
  m_location2 = GetShapeLocationData(1);
  // A line created from file (loaded or cloned) keeps the end points it came with; one that came
  // without any has none to keep and derives them as a new line does.
  const bool keepsEndPoints = CreatedFromFile() && m_hasEndPoints;
  if (!keepsEndPoints)
    ExtractPointsFromSelection(true);
  if (!m_hasEndPoints) {
    // Never measured and no end points to be had: nothing to draw, and the request hears so.
    m_measured = false;
    PostMeasurementValidation(false);
    return;
  }
  m_jogs.clear();
  m_jogsTaken = false;
  CreateRepresentations();
  if (GetAttachedScene())
    CreateMarkup();
  PostMeasurementValidation(true);
}

void CenterLinesAnnotation::ExtractPointsFromSelection(bool)
{
  WriteLockGuard lock(*this);
  const du::SmartPtr<tqk::SelectionItem> item = m_slots[0] ? m_slots[0]->GetSelectionItem() : nullptr;
  const du::SmartPtr<moduleutils::LumbraDerivedCSys> system =
      moduleutils::NewLumbraDerivedCSys(m_shapeScene, item, moduleutils::LumbraDerivedCSys::AXIS);
  // An invalid system counts as none: its placements are not the line's ends.
  if (!system || !system->IsValid())
    return;
  m_point1 = system->GetPlacement().GetPosition();
  m_point2 = system->GetLocation().GetPosition();
  m_hasEndPoints = true;
}

dg::Location CenterLinesAnnotation::GetShapeLocationData(int slot)
{
  dg::Location placement;
  if (!DeriveSlotPlacement(slot, placement)) {
    placement = dg::Location::IDENTITY;
    placement.SetPos(dg::DPoint3D::ORIGIN);
  }
  return placement;
}

void CenterLinesAnnotation::PostMeasurementValidation(bool ok)
{
  WriteLockGuard lock(*this);
  if (!m_request)
    return;
  const du::SmartPtr<tqk::AsyncEvent> request = std::exchange(m_request, nullptr);
  if (ok)
    request->Complete();
  else
    request->CompleteWithError(kMeasurementFailed, kMeasurementFailedCode);
}

void CenterLinesAnnotation::GetTQKInstanceList(int slot, std::set<du::SmartPtr<tqk::Instance>>& instances)
{
  ReadLockGuard lock(*this);
  if (slot < 0 || slot >= static_cast<int>(m_slots.size()) || !m_slots[slot] ||
      !m_slots[slot]->IsObjectValid())
    return;
  const du::SmartPtr<tqk::SelectionItem> item = m_slots[slot]->GetSelectionItem();
  const auto structureItem = du::SmartPtr<tqk::illustration::SbomInstanceSelectionItem>::DynamicCast(item);
  if (structureItem && structureItem->GetSbomInstance()) {
    const du::SmartPtr<tqk::illustration::SbomInstance> structure = structureItem->GetSbomInstance();
    if (structure->IsWeld()) {
      std::set<du::SmartPtr<tqk::Instance>> below;
      structure->GetEbomInstancesForWeld(instances, below);
    } else if (const du::SmartPtr<tqk::Instance> own = structure->GetEbomInstance())
      instances.insert(own);
    return;
  }
  // Only instances count: an item may also pick an annotation or some other object.
  const auto objectItem = du::SmartPtr<tqk::ObjectSelectionItem>::DynamicCast(item);
  if (objectItem && objectItem->GetObject()) {
    if (const auto instance = du::SmartPtr<tqk::Instance>::DynamicCast(objectItem->GetObject()))
      instances.insert(instance);
    return;
  }
  const auto geometryItem = du::SmartPtr<tqk::GeometrySelectionItem>::DynamicCast(item);
  if (geometryItem && geometryItem->GetParentObject())
    if (const auto instance = du::SmartPtr<tqk::Instance>::DynamicCast(geometryItem->GetParentObject()))
      instances.insert(instance);
}

void CenterLinesAnnotation::GetShapeInstanceList(int slot, ShapeInstances& parts)
{
  ReadLockGuard lock(*this);
  std::set<du::SmartPtr<tqk::Instance>> instances;
  GetTQKInstanceList(slot, instances);
  for (const du::SmartPtr<tqk::Instance>& instance : instances)
    if (instance && m_shapeScene)
      if (du::SmartPtr<tqk::ShapeInstance> part = m_shapeScene->GetShapeInstance(instance))
        parts.push_back(part);
}

} // namespace tqannotations
