#pragma once

#include <tqk/ObjectWithRWLock.h>

namespace tqannotations {

//! Holds the read side of an object's lock for the guard's lifetime, also when an exception
//! passes. An object without a lock owner is not locked.
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
  tqk::LockOwner* m_owner;
};

} // namespace tqannotations
