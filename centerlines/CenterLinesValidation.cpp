#include "centerlines/MySceneAnnotationVisitor.h"
#include "common/ReadLockGuard.h"

#include <dg/Segment.h>
#include <tqannotations/CenterLinesAnnotation.h>
#include <tqannotations/ConstStrings.h>
#include <tqannotations/ConstructionCoords.h>
#include <tqannotations/ConstructionCurve.h>
#include <tqg/DatumCSys.h>
#include <tqg/Edge.h>
#include <tqg/Face.h>
#include <tqg/Geom_ParticularCurve3D.h>
#include <tqk/GeometrySelectionItem.h>
#include <tqk/ObjectSelectionItem.h>
#include <tqk/Scene.h>
#include <tqk/illustration/SbomInstanceSelectionItem.h>
#include <tqk/mcad_selection.h>

#include <typeinfo>

namespace tqannotations {

namespace {

constexpr tqk::Annotation::AnnotationType kCenterLineType = 0x8000;

bool IsOneOf(const du::Symbol& type, std::initializer_list<const du::Symbol*> types)
{
  for (const du::Symbol* candidate : types)
    if (type == *candidate)
      return true;
  return false;
}

// The annotation an object item picked, or null when it picked something else.
du::SmartPtr<tqk::Annotation> PickedAnnotation(const du::SmartPtr<tqk::SelectionItem>& item)
{
  const auto picked = du::SmartPtr<tqk::ObjectSelectionItem>::DynamicCast(item);
  return picked ? du::SmartPtr<tqk::Annotation>::DynamicCast(picked->GetObject()) : nullptr;
}

// A construction curve counts only when it is made of exactly one edge.
bool IsSingleEdgeCurve(const du::SmartPtr<tqk::Annotation>& annotation)
{
  const auto curve = du::SmartPtr<ConstructionCurve>::DynamicCast(annotation);
  if (!curve)
    return false;
  du::Symbol name;
  std::vector<du::SmartPtr<tqg::Edge>> edges;
  curve->GetCurveInfo(name, edges);
  return edges.size() == 1;
}

bool IsAcceptedBetweenItems(const du::SmartPtr<tqk::Annotation>& annotation)
{
  if (!annotation)
    return false;
  switch (annotation->GetAnnotationType()) {
  case tqk::Annotation::CONSTRUCTION_AXIS:
  case tqk::Annotation::CONSTRUCTION_PLANE:
  case tqk::Annotation::CONSTRUCTION_POINT:
  case tqk::Annotation::CONSTRUCTION_CIRCLE:
  case tqk::Annotation::CONSTRUCTION_ARC: return true;
  case ConstructionCurve::CONSTRUCTION_CURVE: return IsSingleEdgeCurve(annotation);
  default: return false;
  }
}

bool IsAcceptedAsCoordinateSystem(const du::SmartPtr<tqk::Annotation>& annotation)
{
  if (!annotation)
    return false;
  const int type = annotation->GetAnnotationType();
  // A point gives no axes.
  return type == tqk::Annotation::CONSTRUCTION_AXIS || type == tqk::Annotation::CONSTRUCTION_PLANE ||
         type == tqk::Annotation::CONSTRUCTION_CIRCLE || type == tqk::Annotation::CONSTRUCTION_ARC;
}

// A face must be planar and an edge straight to give a coordinate system; any other geometry,
// datums among them, is accepted.
bool IsAcceptedGeometryForCoordinateSystem(const tqk::GeometrySelectionItem& item)
{
  const tqg::Geometry* geometry = item.GetGeometry().Get();
  if (const auto* face = dynamic_cast<const tqg::Face*>(geometry))
    return face->IsPlane();
  if (const auto* edge = dynamic_cast<const tqg::Edge*>(geometry))
    return dynamic_cast<const tqg::Geom_ParticularCurve3D<dg::Segment<double, 3>>*>(edge->GetCurve().Get()) !=
           nullptr;
  return true;
}

} // namespace

bool CenterLinesAnnotation::ValidateObject(unsigned slot) const
{
  ReadLockGuard lock(*this);
  if (slot >= m_slots.size() || static_cast<int>(slot) >= m_slotCount)
    return false;
  const du::SmartPtr<tqk::SelectionItem> item = m_slots[slot] ? m_slots[slot]->GetSelectionItem() : nullptr;
  if (!item)
    return slot != 0;
  if (!m_shapeScene)
    return true;
  const du::Symbol& type = item->GetContentType();
  if (static_cast<int>(slot) < m_slotCount - 1) {
    namespace mcad = tqk::mcad_selection;
    if (type == mcad::Instance || type == mcad::Assembly)
      return true;
    if (type == mcad::Collection)
      return IsValidSbom(static_cast<int>(slot)) &&
             !(slot == 0 && ExplodeLineAlreadyExistsForSlot(GetPrimarySlotID()));
    if (type == mcad::Annotation)
      return IsAcceptedBetweenItems(PickedAnnotation(item));
    return IsOneOf(type, {&mcad::Datum3D, &mcad::Edge3D, &mcad::Point3D, &mcad::Face3D,
                          &mcad::ModelAnnotation3D, &mcad::Feature3D});
  }
  if (item->GetClassType() == tqk::GeometrySelectionItem::CLASS_TYPE)
    if (const auto* geometryItem = dynamic_cast<const tqk::GeometrySelectionItem*>(item.Get()))
      return IsAcceptedGeometryForCoordinateSystem(*geometryItem);
  if (type == tqk::mcad_selection::Annotation)
    return IsAcceptedAsCoordinateSystem(PickedAnnotation(item));
  return true;
}

bool CenterLinesAnnotation::ValidateObjects() const
{
  return ValidateObject(0) && ValidateObject(1) && ValidateObject(2);
}

bool CenterLinesAnnotation::IsValidSbom(int slot) const
{
  ReadLockGuard lock(*this);
  if (slot < 0 || slot >= static_cast<int>(m_slots.size()) || !m_slots[slot] ||
      !m_slots[slot]->IsObjectValid())
    return false;
  const auto item = du::SmartPtr<tqk::illustration::SbomInstanceSelectionItem>::DynamicCast(
      m_slots[slot]->GetSelectionItem());
  const du::SmartPtr<tqk::illustration::SbomInstance> instance = item ? item->GetSbomInstance() : nullptr;
  return instance && (instance->GetEbomInstance() || instance->GetReference());
}

bool CenterLinesAnnotation::ExplodeLineAlreadyExistsForSlot(du::Symbol slotId) const
{
  const du::SmartPtr<tqk::Scene> scene = GetAttachedScene();
  if (!scene)
    return false;
  MySceneAnnotationVisitor visitor(
      du::SmartPtr<CenterLinesAnnotation>(const_cast<CenterLinesAnnotation*>(this)), slotId, false);
  scene->Accept(visitor);
  return visitor.GetCount() > 0;
}

std::vector<du::SmartPtr<Annotation>>
CenterLinesAnnotation::GetCollidingExplodeLinesForSlot(du::Symbol slotId) const
{
  const du::SmartPtr<tqk::Scene> scene = GetAttachedScene();
  if (!scene)
    return {};
  MySceneAnnotationVisitor visitor(
      du::SmartPtr<CenterLinesAnnotation>(const_cast<CenterLinesAnnotation*>(this)), slotId, true);
  scene->Accept(visitor);
  return visitor.GetMatches();
}

void CenterLinesAnnotation::SlotsVerification(StoredSelections& selections)
{
  for (std::size_t index = 0; index < selections.size();) {
    if (IsInstanceIn3dView(selections[index]))
      ++index;
    else if (index == 0) {
      // Without its first item a center line has nothing to stand on.
      selections.clear();
      return;
    } else
      selections.erase(selections.begin() + static_cast<std::ptrdiff_t>(index));
  }
}

bool CenterLinesAnnotation::IsCoodinateSystem(const du::SmartPtr<tqk::Object>& object) const
{
  if (!m_shapeScene)
    return false;
  if (const auto item = du::SmartPtr<tqk::GeometrySelectionItem>::DynamicCast(object))
    return dynamic_cast<const tqg::DatumCSys*>(item->GetGeometry().Get()) != nullptr;
  return static_cast<bool>(du::SmartPtr<ConstructionCoords>::DynamicCast(object));
}

} // namespace tqannotations

MySceneAnnotationVisitor::MySceneAnnotationVisitor(
    const du::SmartPtr<tqannotations::CenterLinesAnnotation>& owner, const du::Symbol& slotId, bool collect)
    : m_collect(collect), m_owner(owner), m_slotId(slotId)
{}

namespace {

// A scan meets mostly center lines of this very class, whose type is checked without walking the
// class hierarchy; lines of derived classes take the general cast.
tqannotations::CenterLinesAnnotation* AsCenterLine(tqk::Annotation& annotation)
{
  if (typeid(annotation) == typeid(tqannotations::CenterLinesAnnotation))
    return static_cast<tqannotations::CenterLinesAnnotation*>(&annotation);
  return dynamic_cast<tqannotations::CenterLinesAnnotation*>(&annotation);
}

} // namespace

void MySceneAnnotationVisitor::Visit(du::SmartPtr<tqk::Annotation>& annotation)
{
  if (!annotation || annotation->GetAnnotationType() != tqannotations::kCenterLineType ||
      annotation->GetClass() != tqannotations::ConstStrings::tqCenterLine)
    return;
  tqannotations::CenterLinesAnnotation* centerLine = AsCenterLine(*annotation);
  if (!centerLine || centerLine == m_owner.Get() || !centerLine->HasPrimarySlotID(m_slotId))
    return;
  ++m_count;
  if (m_collect)
    m_matches.push_back(du::SmartPtr<tqannotations::CenterLinesAnnotation>(centerLine));
}
