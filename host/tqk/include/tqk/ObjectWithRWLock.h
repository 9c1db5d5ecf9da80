#pragma once

#include <du/SmartPtr.h>
#include <tqk/LockOwner.h>
#include <tqk/Object.h>

namespace tqk {

//! An object that refers to a lock owner, or to none, in which case nothing locks it.
class ObjectWithRWLock : public Object
{
public:
  //! An object without a lock.
  ObjectWithRWLock() = default;
  explicit ObjectWithRWLock(const du::SmartPtr<LockOwner>& owner) : m_lockOwner(owner) {}
  //! A copy gets a lock of its own when the source has one: locks guard objects, not values.
  ObjectWithRWLock(const ObjectWithRWLock& other);
  ObjectWithRWLock& operator=(const ObjectWithRWLock&) { return *this; }

  LockOwner* GetLockOwner() const noexcept { return m_lockOwner.Get(); }
  void SetLockOwner(const du::SmartPtr<LockOwner>& owner) { m_lockOwner = owner; }

private:
  du::SmartPtr<LockOwner> m_lockOwner;
};

} // namespace tqk
