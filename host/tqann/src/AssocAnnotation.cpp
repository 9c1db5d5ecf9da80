#include <dom/ObserverProxy.h>
#include <tqannotations/AssocAnnotation.h>
#include <tqannotations/MeasurementObserver.h>
#include <tqk/SelectionItem.h>
#include <tqk/ShapeScene.h>
#include <tqk/ShapeSceneListener.h>
#include <tqk/ShapeView.h>

namespace tqannotations {

//! Hands the reports of the attached scene of parts on to the annotation. The annotation owns it
//! and removes it from the scene before either goes, so the plain back pointer stays good.
class AssocAnnotation::PartListener : public tqk::ShapeSceneListener
{
public:
  explicit PartListener(AssocAnnotation& owner) : m_owner(owner) {}

  void OnShapeInstancesPositionModified(const ShapeInstances& parts) override
  {
    Keep()->OnShapeInstancesPositionModified(parts);
  }
  void OnShapeInstancesAppearanceModified(const ShapeInstances& parts) override
  {
    Keep()->OnShapeInstancesAppearanceModified(parts);
  }
  void OnShapeInstancesRemove(const ShapeInstances& parts) override { Keep()->OnShapeInstancesRemove(parts); }
  void OnShapeInstancesCreate(const ShapeInstances& parts) override { Keep()->OnShapeInstancesCreate(parts); }

private:
  // A notification may drop the last other reference (a removed annotation leaves its set), so
  // the annotation is held for the length of the call.
  du::SmartPtr<AssocAnnotation> Keep() const { return du::SmartPtr<AssocAnnotation>(&m_owner); }

  AssocAnnotation& m_owner;
};

AssocAnnotation::AssocAnnotation(tqk::Annotation::AnnotationType type)
    : Annotation(type), m_partListener(std::make_unique<PartListener>(*this))
{}

AssocAnnotation::AssocAnnotation(const AssocAnnotation& other)
    : du::RefCounted(other), Annotation(other), m_activeSlot(other.m_activeSlot),
      m_storedSelections(other.m_storedSelections), m_partListener(std::make_unique<PartListener>(*this))
{
  SetSlots(other.m_slots);
}

AssocAnnotation::~AssocAnnotation() { StopListening(); }

void AssocAnnotation::StopListening()
{
  if (m_listening && m_shapeScene)
    m_shapeScene->RemoveListener(m_partListener.get());
  m_listening = false;
}

bool AssocAnnotation::SetObjects(const std::vector<du::SmartPtr<tqk::SelectionItem>>& items,
                                 const du::SmartPtr<tqk::AsyncEvent>& request, bool)
{
  for (std::size_t slot = 0; slot < m_slots.size(); ++slot) {
    if (slot < items.size())
      _PutSelectionObjectIntoSlot(static_cast<int>(slot), items[slot]);
    else
      _ClearSlot(static_cast<int>(slot));
  }
  m_request = request;
  return true;
}

bool AssocAnnotation::ValidateObject(unsigned slot) const
{
  return slot < m_slots.size() && m_slots[slot] && m_slots[slot]->IsObjectValid();
}

bool AssocAnnotation::ValidateObjects() const
{
  for (unsigned slot = 0; slot < m_slots.size(); ++slot)
    if (!ValidateObject(slot))
      return false;
  return true;
}

bool AssocAnnotation::RegisterObserver(const du::SmartPtr<MeasurementObserver>& observer)
{
  return dom::Observable::RegisterObserver(new dom::ObserverProxy(observer, dom::ObserverProxy::HANDLERS));
}

bool AssocAnnotation::UnregisterObserver(const du::SmartPtr<MeasurementObserver>& observer)
{
  return dom::Observable::DeregisterObserver(new dom::ObserverProxy(observer));
}

void AssocAnnotation::OnShapeInstancesPositionModified(const ShapeInstances&) {}
void AssocAnnotation::OnShapeInstancesAppearanceModified(const ShapeInstances&) {}
void AssocAnnotation::OnShapeInstancesRemove(const ShapeInstances&) {}
void AssocAnnotation::OnShapeInstancesCreate(const ShapeInstances&) {}

bool AssocAnnotation::RecalculateMeasurementOnLoad() { return false; }

void AssocAnnotation::SlotsVerification(StoredSelections&) {}

bool AssocAnnotation::AttachScene(const du::SmartPtr<tqk::Scene>& scene)
{
  StopListening();
  Annotation::AttachScene(scene);
  m_shapeScene = du::SmartPtr<tqk::ShapeScene>::DynamicCast(scene);
  if (m_shapeScene)
    m_listening = m_shapeScene->AddListener(m_partListener.get());
  for (const du::SmartPtr<SlotObject>& slot : m_slots)
    if (slot)
      slot->Bind(m_shapeScene);
  return true;
}

bool AssocAnnotation::DetachScene()
{
  StopListening();
  m_shapeScene.Reset();
  m_measurementView.Reset();
  for (const du::SmartPtr<SlotObject>& slot : m_slots)
    if (slot)
      slot->Bind(nullptr);
  Annotation::DetachScene();
  return true;
}

bool AssocAnnotation::IsEqual(const du::SmartPtr<tqk::Annotation>& other) const
{
  const auto associated = du::SmartPtr<AssocAnnotation>::DynamicCast(other);
  if (!associated || associated->GetAnnotationType() != GetAnnotationType() ||
      associated->GetClass() != GetClass() || associated->m_slots.size() != m_slots.size())
    return false;
  for (std::size_t i = 0; i < m_slots.size(); ++i) {
    const du::SmartPtr<tqk::SelectionItem> mine = m_slots[i] ? m_slots[i]->GetSelectionItem() : nullptr;
    const du::SmartPtr<tqk::SelectionItem> theirs =
        associated->m_slots[i] ? associated->m_slots[i]->GetSelectionItem() : nullptr;
    if (mine != theirs)
      return false;
  }
  return true;
}

bool AssocAnnotation::SetActiveSlot(int slot)
{
  if (slot < 0 || slot >= static_cast<int>(m_slots.size()))
    return false;
  m_activeSlot = slot;
  return true;
}

bool AssocAnnotation::IsSlotValid(int slot) const
{
  return slot >= 0 && slot < static_cast<int>(m_slots.size()) && m_slots[slot] &&
         m_slots[slot]->IsObjectValid();
}

AssocAnnotation::Slots AssocAnnotation::GetSlots() const
{
  Slots copies;
  copies.reserve(m_slots.size());
  for (const du::SmartPtr<SlotObject>& slot : m_slots)
    copies.push_back(slot ? du::SmartPtr<SlotObject>(new SlotObject(*slot))
                          : du::SmartPtr<SlotObject>(new SlotObject));
  return copies;
}

void AssocAnnotation::SetSlots(const Slots& slots)
{
  Slots copies;
  copies.reserve(slots.size());
  for (const du::SmartPtr<SlotObject>& slot : slots) {
    du::SmartPtr<SlotObject> copy(slot ? new SlotObject(*slot) : new SlotObject);
    copy->Bind(m_shapeScene);
    copies.push_back(copy);
  }
  m_slots.swap(copies);
}

bool AssocAnnotation::_PutSelectionObjectIntoSlot(int slot, const du::SmartPtr<tqk::SelectionItem>& item)
{
  if (slot < 0 || slot >= static_cast<int>(m_slots.size()))
    return false;
  du::SmartPtr<SlotObject> filled(new SlotObject(item));
  filled->Bind(m_shapeScene);
  m_slots[slot] = filled;
  return true;
}

bool AssocAnnotation::_ClearSlot(int slot)
{
  if (slot < 0 || slot >= static_cast<int>(m_slots.size()))
    return false;
  m_slots[slot] = new SlotObject;
  return true;
}

} // namespace tqannotations
