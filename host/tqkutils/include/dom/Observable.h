#pragma once

#include <dom/ObservableEvent.h>
#include <dom/ObserverProxy.h>
#include <du/SmartPtr.h>

#include <cstddef>
#include <mutex>
#include <vector>

namespace dom {

//! Something that observers can register with to hear its events.
//!
//! Holds each registered proxy by counted reference until it is deregistered or the observable
//! goes. Registration and delivery may happen on different threads.
class Observable
{
public:
  Observable() = default;
  //! A copy starts without observers: they registered with the original, not with its value.
  Observable(const Observable&) {}
  Observable& operator=(const Observable&) { return *this; }
  virtual ~Observable() = default;

  //! False when the proxy or its observer is null, or when that observer is registered already.
  bool RegisterObserver(const du::SmartPtr<ObserverProxy>& proxy);
  //! Removes the registered proxy that wraps the same observer as the given one (the given proxy
  //! may be a new one); false when there is none.
  bool DeregisterObserver(const du::SmartPtr<ObserverProxy>& proxy);

  std::size_t GetObserverCount() const;

protected:
  //! Has the event write itself to every registered observer, in registration order. Observers
  //! may register or deregister while they handle it; that takes effect with the next event.
  void DeliverToObservers(ObservableEvent& event);

private:
  mutable std::mutex m_mutex;
  std::vector<du::SmartPtr<ObserverProxy>> m_proxies;
};

} // namespace dom
