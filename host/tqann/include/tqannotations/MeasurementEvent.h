#pragma once

#include <dom/ObservableEvent.h>

namespace dom {
class ObserverProxy;
}

namespace tqannotations {

class MeasurementObserver;

//! Base of the events of tqannotations::MeasurementObserver: hands each to the observer's handler
//! or, for an observer that takes messages, writes its message form.
class MeasurementEvent : public dom::ObservableEvent
{
public:
  void Write(dom::ObserverProxy& proxy) override;

protected:
  //! Calls the handler that stands for the event.
  virtual void Deliver(MeasurementObserver& observer) const = 0;
  //! Appends the event's values to the message begun on the proxy.
  virtual void WriteValues(dom::ObserverProxy& proxy) const = 0;

  static void PushSlot(dom::ObserverProxy& proxy, int slot);
};

} // namespace tqannotations
