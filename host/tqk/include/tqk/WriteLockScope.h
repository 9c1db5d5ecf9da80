#pragma once

#include <du/SmartPtr.h>
#include <tqk/LockOwner.h>

namespace tqk {

//! Holds the write side of a lock for the scope's lifetime, also when an exception passes; a
//! null lock owner locks nothing. The scope keeps the owner alive until it has unlocked it.
class WriteLockScope
{
public:
  explicit WriteLockScope(const du::SmartPtr<LockOwner>& owner) : m_owner(owner)
  {
    if (m_owner)
      m_owner->GetLock().WriteLock();
  }
  ~WriteLockScope()
  {
    if (m_owner)
      m_owner->GetLock().WriteUnlock();
  }
  WriteLockScope(const WriteLockScope&) = delete;
  WriteLockScope& operator=(const WriteLockScope&) = delete;

private:
  du::SmartPtr<LockOwner> m_owner;
};

} // namespace tqk
