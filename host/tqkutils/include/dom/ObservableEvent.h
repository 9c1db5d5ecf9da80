#pragma once

#include <du/RefCounted.h>

namespace dom {

class ObserverProxy;

//! An event posted on a dom::Observable.
//!
//! The observable asks the event to write itself once into the proxy of every registered
//! observer, which then delivers the message.
class ObservableEvent : public du::RefCounted
{
public:
  //! Writes the event's message into the proxy: Begin, the values, End.
  virtual void Write(ObserverProxy& proxy) = 0;
};

} // namespace dom
