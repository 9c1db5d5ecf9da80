#pragma once

#include <dom/Observable.h>
#include <dom/ObservableEvent.h>
#include <du/SmartPtr.h>
#include <tqk/ObjectWithRWLock.h>

namespace tqk {

//! A host object whose events reach the observers registered with it.
class Observable : public dom::Observable, public ObjectWithRWLock
{
public:
  //! Delivers the event to every registered observer before returning; false for a null event.
  //!
  //! deferred: whether the caller could also accept delivery later. The stand-in has no message
  //! loop to defer to, so it delivers at once either way; callers pass what they can accept.
  bool PostObservableEvent(const du::SmartPtr<dom::ObservableEvent>& event, bool deferred);
};

} // namespace tqk
