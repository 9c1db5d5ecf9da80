#include "common/ReadLockGuard.h"
#include "common/WriteLockGuard.h"

#include <dom/ObserverProxy.h>
#include <tqannotations/CenterLinesAnnotation.h>
#include <tqannotations/ConstStrings.h>
#include <tqannotations/MeasurementObserver.h>
#include <tqk/AsyncEvent.h>
#include <tqk/ObjectSelectionItem.h>

#include <cmath>

namespace tqannotations {

namespace {

constexpr tqk::Annotation::AnnotationType kCenterLineType = 0x8000;
constexpr int kSlotCount = 3;

} // namespace

CenterLinesAnnotation::CenterLinesAnnotation() : AssocAnnotation(kCenterLineType)
{
  SetClass(ConstStrings::tqCenterLine);
  SetPreselectionCursor(ConstStrings::tqExplodeLinePreselectionCursor);
  m_slots.resize(kSlotCount);
  for (du::SmartPtr<SlotObject>& slot : m_slots)
    slot = new SlotObject;
}

CenterLinesAnnotation::CenterLinesAnnotation(const CenterLinesInfo& info) : CenterLinesAnnotation()
{
  SetCenterLinesInfo(info);
}

namespace {

//! The source of a copy; the guard made for the call holds its read side until the end of the
//! expression that calls.
const CenterLinesAnnotation& Held(const CenterLinesAnnotation& source, const ReadLockGuard&)
{
  return source;
}

} // namespace

// Other threads pick, measure and move the source under its write side. The base copies the slots
// while the read side is held; the rest is copied under it once more, together with the slots
// again, so that the copy's picks and end points are those of one moment. The copied slot objects
// are the copy's own.
CenterLinesAnnotation::CenterLinesAnnotation(const CenterLinesAnnotation& other)
    : du::RefCounted(), AssocAnnotation(Held(other, ReadLockGuard(other)))
{
  SetClass(ConstStrings::tqCenterLine);
  ReadLockGuard lock(other);
  SetSlots(other.m_slots);
  m_activeSlot = other.m_activeSlot;
  m_storedSelections = other.m_storedSelections;
  m_point1 = other.m_point1;
  m_point2 = other.m_point2;
  m_location1 = other.m_location1;
  m_location2 = other.m_location2;
  m_jogs = other.m_jogs;
  m_jogsTaken = other.m_jogsTaken;
  m_measured = other.m_measured;
  m_hasEndPoints = other.m_hasEndPoints;
  m_slotCount = other.m_slotCount;
  m_style = other.m_style;
  m_csys = other.m_csys;
  m_primaryIdentity.Take(m_slots.empty() ? nullptr : m_slots[0]);
  other.GetRepresentations(m_representations);
  // The copy starts detached: its drawn lines must not keep the source's scene alive.
  for (const du::SmartPtr<CenterLinesRepresentation>& representation : m_representations)
    representation->SetScene(nullptr);
}

CenterLinesAnnotation::~CenterLinesAnnotation() = default;

bool CenterLinesAnnotation::ZeroReferenceCountHook()
{
  // Observers may take and drop references while they hear the event: the releasing side holds
  // one for the length of the hook, so the object cannot go before the hook returns.
  RemoveMarkup();
  PostMeasurementValidation(false);
  return true;
}

du::Symbol CenterLinesAnnotation::GetClassStatic() { return ConstStrings::tqCenterLine; }

du::SmartPtr<tqk::Annotation> CenterLinesAnnotation::Clone() const
{
  ReadLockGuard lock(*this);
  du::SmartPtr<CenterLinesAnnotation> clone(new CenterLinesAnnotation(*this));
  clone->SetCreatedFromFile(true);
  return clone;
}

du::SmartPtr<tqk::Scene> CenterLinesAnnotation::GetScene() const { return GetAttachedScene(); }

du::Symbol CenterLinesAnnotation::GetPrimarySlotID() const { return SlotIdAt(0); }

du::SmartPtr<tqk::Object> CenterLinesAnnotation::GetObject(unsigned slot) const
{
  // Picking replaces slot objects under the write side.
  ReadLockGuard lock(*this);
  if (slot >= m_slots.size() || !m_slots[slot])
    return nullptr;
  return m_slots[slot]->GetSelectionItem();
}

bool CenterLinesAnnotation::CompareCSys(CenterLinesAnnotation* other) const
{
  if (!other)
    return false;
  const auto mine = du::SmartPtr<tqk::ObjectSelectionItem>::DynamicCast(GetObject(m_slotCount - 1));
  const auto theirs =
      du::SmartPtr<tqk::ObjectSelectionItem>::DynamicCast(other->GetObject(other->m_slotCount - 1));
  return mine && theirs && mine->GetObject() && theirs->GetObject() &&
         mine->GetObject() == theirs->GetObject();
}

bool CenterLinesAnnotation::ComparePoints(dg::DPoint3D a, dg::DPoint3D b) const
{
  return std::fabs(a.x - b.x) < 1e-7 && std::fabs(a.y - b.y) < 1e-7 && std::fabs(a.z - b.z) < 1e-7;
}

CenterStyle::CSYS_TYPE CenterLinesAnnotation::GetCSys(CenterStyle::CSYS_ID& id, dg::Location& placement,
                                                      du::SmartPtr<tqk::SelectionItem>& item)
{
  ReadLockGuard lock(*this);
  id = m_style.csysId;
  placement = m_csys;
  item = du::SmartPtr<tqk::SelectionItem>::DynamicCast(GetObject(m_slotCount - 1));
  return m_style.csysType;
}

bool CenterLinesAnnotation::RegisterObserver(const du::SmartPtr<MeasurementObserver>& observer)
{
  WriteLockGuard lock(*this);
  const bool registered =
      dom::Observable::RegisterObserver(new dom::ObserverProxy(observer, dom::ObserverProxy::HANDLERS));
  if (registered && observer) {
    observer->OnActiveSlotChanged(m_activeSlot);
    observer->OnParametersChanged();
  }
  return registered;
}

bool CenterLinesAnnotation::RaiseObjectChanged(const du::SmartPtr<tqk::SelectionItem>& item)
{
  WriteLockGuard lock(*this);
  if (m_activeSlot < 0 || m_activeSlot >= m_slotCount)
    return false;
  Post(new MeasurementObserver::ObjectChangedEvent(m_activeSlot, item,
                                                   ValidateObject(static_cast<unsigned>(m_activeSlot))));
  return true;
}

void CenterLinesAnnotation::Post(dom::ObservableEvent* event)
{
  PostObservableEvent(du::SmartPtr<dom::ObservableEvent>(event), false);
}

bool CenterLinesAnnotation::AllowGroupDrag() const { return false; }
bool CenterLinesAnnotation::CanAnimate() const { return false; }
void CenterLinesAnnotation::OnSetScale(double) {}
void CenterLinesAnnotation::OnSetDisplayPrecision(int) {}
void CenterLinesAnnotation::GetMarkupLocation(unsigned, dg::Location&) const {}
void CenterLinesAnnotation::SetMarkupLocation(unsigned, const dg::Location&) {}
unsigned CenterLinesAnnotation::NumberOfMarkups() const { return 1; }
bool CenterLinesAnnotation::RecalculateMeasurementOnLoad() { return true; }

} // namespace tqannotations
