#pragma once

#include <du/SmartPtr.h>
#include <tqk/ObjectWithRWLock.h>

namespace tqannotations {

//! Holds the read side of an object's lock for the guard's lifetime, also when an exception
//! passes. An object without a lock owner is not locked.
//!
//! The guard keeps its own reference to the lock owner: the object may be given another owner
//! (SetLockOwner) while the guard is held, and the guard must still release the lock it took.
class ReadLockGuard
{
public:
  explicit ReadLockGuard(const tqk::ObjectWithRWLock& object) : m_owner(object.GetLockOwner())
  {
    if (m_owner)
      m_owner->GetLock().ReadLock();
  }
  ~ReadLockGuard()
  {
    if (m_owner)
      m_owner->GetLock().ReadUnlock();
  }
  ReadLockGuard(const ReadLockGuard&) = delete;
  ReadLockGuard& operator=(const ReadLockGuard&) = delete;

private:
  du::SmartPtr<tqk::LockOwner> m_owner;
};

} // namespace tqannotations
