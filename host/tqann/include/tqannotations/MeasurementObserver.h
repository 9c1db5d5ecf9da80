#pragma once

#include <dom/Observer.h>
#include <tqannotations/MeasurementEvent.h>
#include <du/SmartPtr.h>

#include <cstdint>

namespace tqk {
class SelectionItem;
}

namespace tqannotations {

//! An observer of an associative annotation's measurement: which item each slot holds, which slot
//! is active, when the measured values change and whether the measurement is valid.
//!
//! Registered through a dom::ObserverProxy with dom::ObserverProxy::HANDLERS, it hears the events
//! below through its handlers; registered for messages, it receives each event as a message
//! whose first value is the event's code, followed by the slot (four values, least significant
//! first) and the flag where the event has them.
class MeasurementObserver : public dom::Observer
{
public:
  enum EventCode : std::uint8_t
  {
    OBJECT_CHANGED = 1,
    ACTIVE_SLOT_CHANGED = 2,
    PARAMETERS_CHANGED = 3,
    MEASUREMENT_VALID = 4,
  };

  class ObjectChangedEvent;
  class ActiveSlotChangedEvent;
  class ParametersChangedEvent;
  class MeasurementValidEvent;

  //! The slot now holds the item (null: nothing); valid tells whether the slot accepts it.
  virtual void OnObjectChanged(int slot, const du::SmartPtr<tqk::SelectionItem>& item, bool valid);
  //! The slot the user picks into next; also called with the current one on registration.
  virtual void OnActiveSlotChanged(int slot);
  //! The measured values changed; also called on registration, so that the observer reads them.
  virtual void OnParametersChanged();
  //! The measurement became valid or stopped being valid.
  virtual void OnMeasurementValid(bool valid);
};

//! A slot now holds another item (OBJECT_CHANGED, the slot, the validity flag).
class MeasurementObserver::ObjectChangedEvent : public MeasurementEvent
{
public:
  ObjectChangedEvent(int slot, const du::SmartPtr<tqk::SelectionItem>& item, bool valid);
  ~ObjectChangedEvent() override;

protected:
  void Deliver(MeasurementObserver& observer) const override;
  void WriteValues(dom::ObserverProxy& proxy) const override;

private:
  int m_slot;
  du::SmartPtr<tqk::SelectionItem> m_item;
  bool m_valid;
};

//! Another slot is active (ACTIVE_SLOT_CHANGED, the slot).
class MeasurementObserver::ActiveSlotChangedEvent : public MeasurementEvent
{
public:
  explicit ActiveSlotChangedEvent(int slot) : m_slot(slot) {}

protected:
  void Deliver(MeasurementObserver& observer) const override { observer.OnActiveSlotChanged(m_slot); }
  void WriteValues(dom::ObserverProxy& proxy) const override;

private:
  int m_slot;
};

//! The measured values changed (PARAMETERS_CHANGED alone).
class MeasurementObserver::ParametersChangedEvent : public MeasurementEvent
{
protected:
  void Deliver(MeasurementObserver& observer) const override { observer.OnParametersChanged(); }
  void WriteValues(dom::ObserverProxy& proxy) const override;
};

//! The measurement became valid or invalid (MEASUREMENT_VALID, the flag).
class MeasurementObserver::MeasurementValidEvent : public MeasurementEvent
{
public:
  explicit MeasurementValidEvent(bool valid) : m_valid(valid) {}

protected:
  void Deliver(MeasurementObserver& observer) const override { observer.OnMeasurementValid(m_valid); }
  void WriteValues(dom::ObserverProxy& proxy) const override;

private:
  bool m_valid;
};

} // namespace tqannotations
