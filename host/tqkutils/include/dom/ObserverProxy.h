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
//! Proxies come from the host's common allocator (du::CommonAllocatorImpl), so that a proxy made
//! by a plug-in can be released by the host and the other way round.
class ObserverProxy : public du::RefCounted
{
public:
  explicit ObserverProxy(const du::SmartPtr<Observer>& observer) : m_observer(observer) {}

  static void* operator new(std::size_t size);
  static void operator delete(void* memory) noexcept;

  const du::SmartPtr<Observer>& GetObserver() const noexcept { return m_observer; }

  //! Starts a new message; an unfinished one is dropped.
  void Begin();
  //! Appends a value to the message begun; false when no message was begun.
  bool PushUInt8Value(std::uint8_t value);
  //! Delivers the message to the observer; false when no message was begun.
  bool End();

private:
  du::SmartPtr<Observer> m_observer;
  du::SmartPtr<Message> m_message;
};

} // namespace dom
