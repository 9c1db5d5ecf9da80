#pragma once

#include <tqk/ObjectWithRWLock.h>

namespace tqannotations {

//! Holds the write side of an object's lock for the guard's lifetime, also when an exception
//! passes. An object without a lock owner is not locked.
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
  tqk::LockOwner* m_owner;
};

} // namespace tqannotations
