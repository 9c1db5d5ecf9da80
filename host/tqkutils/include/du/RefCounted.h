#pragma once

#include <atomic>

namespace du {

//! Base of every object shared through du::SmartPtr: an intrusive, atomic reference count.
//!
//! May be a plain or a virtual base. A copy starts with no references of its own: the count
//! belongs to the object, not to its value.
//!
//! When the last reference goes, the releasing side takes one reference back and asks
//! ZeroReferenceCountHook whether the object may go; it is destroyed only when the hook agrees
//! and dropping that reference leaves none. A class that recycles or caches its objects
//! replaces the hook and returns false to keep them.
class RefCounted
{
public:
  RefCounted() noexcept = default;
  RefCounted(const RefCounted&) noexcept {}
  RefCounted& operator=(const RefCounted&) noexcept { return *this; }
  virtual ~RefCounted() = default;

  //! Whether an object whose count fell to zero may be destroyed. True by default.
  virtual bool ZeroReferenceCountHook() { return true; }

  void AddReference() const noexcept { m_count.fetch_add(1, std::memory_order_relaxed); }
  void RemoveReference() const
  {
    // Kept inline: dropping a reference that is not the last is one atomic operation, on paths
    // as hot as every lock guard.
    if (m_count.fetch_sub(1, std::memory_order_acq_rel) == 1)
      LastReferenceRemoved();
  }

  int GetReferenceCount() const noexcept { return m_count.load(std::memory_order_acquire); }

private:
  void LastReferenceRemoved() const;

  mutable std::atomic<int> m_count{0};
};

} // namespace du
