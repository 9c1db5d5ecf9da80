#pragma once

#include <dom/Message.h>
#include <dom/Observer.h>
#include <du/RefCounted.h>
#include <du/SmartPtr.h>

#include <cstddef>
#include <cstdint>

namespace dom {

//! Stands for one observer on an observable: events write their message into the proxy, and
//! End hands the finished message to the observer.
//!
//! An observer with handlers of its own may ask for them (HANDLERS): events that know such an
//! observer then call its handlers with their full arguments instead of writing a message.
//!
//! Proxies come from the host's common allocator (du::CommonAllocatorImpl), so that a proxy made
//! by a plug-in can be released by the host and the other way round.
class ObserverProxy : public du::RefCounted
{
public:
  //! How events reach the observer.
  enum Delivery
  {
    MESSAGES = 0, //!< as byte messages to Observer::EventHandler
    HANDLERS = 1, //!< through the observer's own handlers, where the event knows them
  };

  explicit ObserverProxy(const du::SmartPtr<Observer>& observer, int delivery = MESSAGES)
      : m_observer(observer), m_delivery(delivery == HANDLERS ? HANDLERS : MESSAGES)
  {}

  static void* operator new(std::size_t size);
  static void operator delete(void* memory) noexcept;

  const du::SmartPtr<Observer>& GetObserver() const noexcept { return m_observer; }
  Delivery GetDelivery() const noexcept { return m_delivery; }

  //! Starts a new message; an unfinished one is dropped.
  void Begin();
  //! Appends a value to the message begun; false when no message was begun.
  bool PushUInt8Value(std::uint8_t value);
  //! Delivers the message to the observer; false when no message was begun.
  bool End();

private:
  du::SmartPtr<Observer> m_observer;
  Delivery m_delivery;
  du::SmartPtr<Message> m_message;
};

} // namespace dom
