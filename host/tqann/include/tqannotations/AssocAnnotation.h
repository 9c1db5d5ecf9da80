#pragma once

#include <dg/DBox.h>
#include <du/ConstSmartPtr.h>
#include <du/Flags.h>
#include <du/SmartPtr.h>
#include <tqannotations/Annotation.h>
#include <tqannotations/SlotObject.h>
#include <tqk/SelectionItemRepresentation.h>

#include <memory>
#include <vector>

namespace tqk {
class AsyncEvent;
class SelectionItem;
class ShapeInstance;
class ShapeScene;
class ShapeView;
} // namespace tqk

namespace tqannotations {

class MeasurementObserver;

//! An annotation associated with picked items: it keeps them in slots, measures between them and
//! follows their parts.
//!
//! The slots hold tqannotations::SlotObject values, which the annotation replaces rather than
//! changes. Attached to a scene of parts (tqk::ShapeScene), the annotation binds its slots to the
//! parts there and listens to the scene: every move, appearance change, removal and creation of
//! parts reaches the OnShapeInstances* notifications once.
//!
//! Measuring is asynchronous, as in the host: LoadGeometry requests the geometry of parts and
//! GetViewBounds the bounds of the views; the answers come as calls of OnAllGeometryLoaded and
//! OnViewBoundsReceived when the kernel's queue is pumped, never inside the request. Requests of
//! one kind made before the queue is pumped are answered together, once; ClearAsyncEvents drops
//! the answers still due.
//!
//! Threads: the requests, ClearAsyncEvents, AttachScene and DetachScene change what the answers
//! read, so a derived annotation calls them under the write side of its own lock
//! (tqk::ObjectWithRWLock); each answer holds that side while it reads them and while it calls
//! OnAllGeometryLoaded or OnViewBoundsReceived, whichever thread pumps the queue.
//!
//! Saved content: Visit writes the slots' selections (tqk::SelectionItemRepresentation) into a
//! child element "slotSelections", one "selection" element each, with symbol and unsigned
//! properties only; the reader (AssocAnnotation::SerializedContentVisitor) restores them as the
//! stored selections, which the annotation's SlotsVerification then checks. While no slot holds
//! an item (a loaded annotation whose picks the host has not found again), Visit writes the
//! stored selections instead, so that saving a document again loses none of its picks.
class AssocAnnotation : public Annotation
{
public:
  class SerializedContentVisitor;

  using Slots = std::vector<du::SmartPtr<SlotObject>>;
  using ShapeInstances = std::vector<du::SmartPtr<tqk::ShapeInstance>>;
  using StoredSelections = std::vector<du::ConstSmartPtr<tqk::SelectionItemRepresentation>>;

  //! An annotation of the type without slots; derived annotations size the slot vector.
  explicit AssocAnnotation(tqk::Annotation::AnnotationType type);
  //! The same slots (copies of the slot objects), active slot and stored selections; no scene, no
  //! pending request and no answers due.
  AssocAnnotation(const AssocAnnotation& other);
  ~AssocAnnotation() override;

  // The associative interface.

  //! Puts the items into the slots in order and clears the slots left over; keeps the request
  //! to be answered when the measurement is done. The base starts nothing. True.
  virtual bool SetObjects(const std::vector<du::SmartPtr<tqk::SelectionItem>>& items,
                          const du::SmartPtr<tqk::AsyncEvent>& request, bool start);
  //! Whether the slot holds an item it can use; the base accepts every valid slot object.
  virtual bool ValidateObject(unsigned slot) const;
  //! Whether every slot validates.
  virtual bool ValidateObjects() const;
  //! Registers the observer to hear the measurement events through its handlers; false for null
  //! and for an observer registered already.
  virtual bool RegisterObserver(const du::SmartPtr<MeasurementObserver>& observer);
  //! False when the observer is not registered.
  virtual bool UnregisterObserver(const du::SmartPtr<MeasurementObserver>& observer);
  //! Parts of the attached scene moved, were hidden or shown, removed or created; the base does
  //! nothing.
  virtual void OnShapeInstancesPositionModified(const ShapeInstances& parts);
  virtual void OnShapeInstancesAppearanceModified(const ShapeInstances& parts);
  virtual void OnShapeInstancesRemove(const ShapeInstances& parts);
  virtual void OnShapeInstancesCreate(const ShapeInstances& parts);
  //! The bounds asked for with GetViewBounds have arrived (GetViewBoundsBox); the base answers
  //! the pending request as done.
  virtual void OnViewBoundsReceived();
  //! Whether a loaded annotation must be measured again before it is drawn; the base need not.
  virtual bool RecalculateMeasurementOnLoad();

  // The annotation interface.

  //! Attaches as the base does, then binds the slots to the scene's parts and listens to it when
  //! it is a scene of parts. True.
  bool AttachScene(const du::SmartPtr<tqk::Scene>& scene) override;
  //! Stops listening, unbinds the slots and detaches. True.
  bool DetachScene() override;
  //! True for an associative annotation of the same type and class whose slots hold the same
  //! items (both empty counts as the same).
  bool IsEqual(const du::SmartPtr<tqk::Annotation>& other) const override;
  //! Writes the base properties and the slots' selections, or the stored selections while no
  //! slot holds an item.
  void Visit(tqk::SerializedContentElement& element) const override;

  // Slots.

  int GetActiveSlot() const { return m_activeSlot; }
  //! Makes the slot the active one; false, changing nothing, outside the slots.
  bool SetActiveSlot(int slot);
  //! Whether the slot exists and holds a valid slot object.
  bool IsSlotValid(int slot) const;
  //! Copies of the slot objects, which the caller may keep: later changes of the slots do not
  //! reach them.
  Slots GetSlots() const;
  //! Makes copies of the given slot objects the slots (null entries become empty slots), bound to
  //! the attached scene; the caller's objects stay its own.
  void SetSlots(const Slots& slots);

  //! The scene of parts the annotation is attached to; null when it is attached to none.
  const du::SmartPtr<tqk::ShapeScene>& GetShapeScene() const { return m_shapeScene; }
  //! The view whose bounds answered the last GetViewBounds; null before any answer.
  const du::SmartPtr<tqk::ShapeView>& GetMeasurementView() const { return m_measurementView; }
  //! The bounds of the visible parts, as the last GetViewBounds answered them; empty before.
  const dg::DBox& GetViewBoundsBox() const { return m_viewBounds; }
  //! The slots' selections restored from saved content.
  const StoredSelections& GetStoredSelections() const { return m_storedSelections; }

protected:
  //! The geometry asked for with LoadGeometry has arrived; the base asks for the view bounds.
  virtual void OnAllGeometryLoaded();
  //! Drops the stored selections the annotation can no longer use; the base keeps them all.
  virtual void SlotsVerification(StoredSelections& selections);
  //! Replaces the slot by a new slot object holding the item, bound to the attached scene;
  //! false outside the slots.
  virtual bool _PutSelectionObjectIntoSlot(int slot, const du::SmartPtr<tqk::SelectionItem>& item);
  //! Replaces the slot by an empty slot object; false outside the slots.
  bool _ClearSlot(int slot);

  //! Drops the answers still due to earlier LoadGeometry and GetViewBounds requests.
  void ClearAsyncEvents();
  //! Asks for the part's geometry; answered by OnAllGeometryLoaded when the queue is pumped.
  //! False for a null part.
  bool LoadGeometry(const du::SmartPtr<tqk::ShapeInstance>& part, du::Flags flags);
  //! Asks for the bounds of the visible parts; answered by OnViewBoundsReceived when the queue is
  //! pumped.
  void GetViewBounds();

  Slots m_slots;
  int m_activeSlot = 0;
  du::SmartPtr<tqk::ShapeScene> m_shapeScene;
  du::SmartPtr<tqk::ShapeView> m_measurementView;
  du::SmartPtr<tqk::AsyncEvent> m_request;
  dg::DBox m_viewBounds;
  StoredSelections m_storedSelections;

private:
  class PartListener;
  friend class PartListener;
  friend class SerializedContentVisitor; // restores the stored selections

  void StopListening();
  // The answers the kernel's queue delivers; an answer of an older generation was dropped by
  // ClearAsyncEvents and does nothing.
  void AnswerGeometry(unsigned generation);
  void AnswerViewBounds(unsigned generation);

  std::unique_ptr<PartListener> m_partListener;
  bool m_listening = false;
  unsigned m_answerGeneration = 0;
  bool m_geometryAnswerQueued = false;
  bool m_boundsAnswerQueued = false;
};

} // namespace tqannotations
