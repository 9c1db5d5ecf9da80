#pragma once

#include <dp/ReadWriteLock.h>
#include <du/RefCounted.h>

namespace tqk {

//! The record that holds an object's read/write lock. Several objects may share one.
class LockOwner : public du::RefCounted
{
public:
  dp::ReadWriteLock& GetLock() noexcept { return m_lock; }

private:
  dp::ReadWriteLock m_lock;
};

} // namespace tqk
