#include "common/ReadLockGuard.h"
#include "common/WriteLockGuard.h"

#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <thread>

namespace {

using tqannotations::ReadLockGuard;
using tqannotations::WriteLockGuard;

struct Guarded : tqk::ObjectWithRWLock
{
  Guarded() : tqk::ObjectWithRWLock(new tqk::LockOwner) {}
};

//! Whether another thread can take the write side right now.
bool WriteSideIsFree(tqk::ObjectWithRWLock& object)
{
  std::atomic<bool> taken{false};
  std::thread other([&] {
    // A blocked attempt would hang the test, so only try after the guard is gone or when free.
    object.GetLockOwner()->GetLock().WriteLock();
    taken = true;
    object.GetLockOwner()->GetLock().WriteUnlock();
  });
  other.join();
  return taken;
}

TEST(LockGuard, ObjectWithoutLockOwnerLocksNothing)
{
  tqk::ObjectWithRWLock unlocked;
  ASSERT_EQ(unlocked.GetLockOwner(), nullptr);
  ReadLockGuard read(unlocked);
  WriteLockGuard write(unlocked);
}

TEST(LockGuard, WriteGuardHoldsForItsScopeAndNests)
{
  Guarded object;
  dp::ReadWriteLock& lock = object.GetLockOwner()->GetLock();
  {
    WriteLockGuard outer(object);
    EXPECT_TRUE(lock.IsWriteLockedByCurrentThread());
    {
      WriteLockGuard inner(object);
      ReadLockGuard read(object);
    }
    EXPECT_TRUE(lock.IsWriteLockedByCurrentThread());
  }
  EXPECT_FALSE(lock.IsWriteLockedByCurrentThread());
  EXPECT_TRUE(WriteSideIsFree(object));
}

TEST(LockGuard, ExceptionReleasesTheLockExactlyOnce)
{
  Guarded object;
  dp::ReadWriteLock& lock = object.GetLockOwner()->GetLock();
  lock.WriteLock(); // an outer hold that a double release would wrongly end
  try {
    WriteLockGuard guard(object);
    ReadLockGuard read(object);
    throw std::runtime_error("passing through");
  } catch (const std::runtime_error&) {
  }
  EXPECT_TRUE(lock.IsWriteLockedByCurrentThread());
  lock.WriteUnlock();
  EXPECT_FALSE(lock.IsWriteLockedByCurrentThread());

  try {
    ReadLockGuard guard(object);
    throw std::runtime_error("passing through");
  } catch (const std::runtime_error&) {
  }
  EXPECT_TRUE(WriteSideIsFree(object)) << "the read side was released";
}

} // namespace
