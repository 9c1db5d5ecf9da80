#pragma once

#include <dom/Message.h>
#include <dom/ObservableEvent.h>
#include <dom/Observer.h>
#include <du/SmartPtr.h>
#include <tqannotations/Export.h>

namespace tqannotations {

//! Hears when a callout's label position has been set. Derive from it, override OnPositionSet
//! and register it with Callout::RegisterObserver.
class TQANNOTATIONS_EXPORT CalloutObserver : public dom::Observer
{
public:
  //! The code that a position-set event writes into its message.
  static const unsigned char POSITION_SET_EVENT = 1;

  //! The event a callout posts when its label position has been set: one byte,
  //! POSITION_SET_EVENT.
  class TQANNOTATIONS_EXPORT PositionSetEvent : public dom::ObservableEvent
  {
  public:
    ~PositionSetEvent() override;
    void Write(dom::ObserverProxy& proxy) override;
  };

  CalloutObserver();
  ~CalloutObserver() override;

  //! Called once for every position-set code of a delivered message; does nothing here.
  virtual void OnPositionSet();

protected:
  void EventHandler(const du::SmartPtr<dom::Message>& message) override;
};

} // namespace tqannotations
