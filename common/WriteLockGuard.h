#pragma once

#include <du/SmartPtr.h>
#include <tqk/ObjectWithRWLock.h>

namespace tqannotations {

//! Holds the write side of an object's lock for the guard's lifetime, also when an exception
//! passes. An object without a lock owner is not locked.
//!
//! The guard keeps its own reference to the lock owner: the object may be given another owner
//! (SetLockOwner) while the guard is held, and the guard must still release the lock it took.
class WriteLockGuard
{
public:
  explicit WriteLockGuard(const tqk::ObjectWithRWLock& object) : m_owner(object.GetLockOwner())
  {
    if (m_owner)
      m_owner->GetLock().WriteLock();
  }
  ~WriteLockGuard()
  {
    if (m_owner)
      m_owner->GetLock().WriteUnlock();
  }
  WriteLockGuard(const WriteLockGuard&) = delete;
  WriteLockGuard& operator=(const WriteLockGuard&) = delete;

private:
  du::SmartPtr<tqk::LockOwner> m_owner;
};

} // namespace tqannotations
