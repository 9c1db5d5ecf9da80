#pragma once

#include <dom/ManagedObject.h>
#include <dom/Message.h>
#include <du/SmartPtr.h>

namespace dom {

class ObserverProxy;

//! Base of whatever wants to hear the events of a dom::Observable.
//!
//! An observer is registered through a dom::ObserverProxy that wraps it; each event posted on the
//! observable reaches EventHandler as one message.
class Observer : public ManagedObject
{
protected:
  //! Receives each message delivered to this observer; the base ignores it.
  virtual void EventHandler(const du::SmartPtr<Message>& message);

private:
  friend class ObserverProxy; // the proxy is the one that delivers
};

} // namespace dom
