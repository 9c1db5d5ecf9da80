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
bool WriteSideIsFree(dp::ReadWriteLock& lock)
{
  std::atomic<bool> taken{false};
  std::thread other([&] {
    // A blocked attempt would hang the test, so only try after the guard is gone or when free.
    lock.WriteLock();
    taken = true;
    lock.WriteUnlock();
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
  EXPECT_TRUE(WriteSideIsFree(lock));
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
  EXPECT_TRUE(WriteSideIsFree(lock)) << "the read side was released";
}

TEST(LockGuard, ReleasesTheOwnerItLockedWhenTheObjectChangesOwnerMeanwhile)
{
  // Unlocking the object's new owner instead would release a lock that is not held, which the
  // lock refuses by aborting.
  const du::SmartPtr<tqk::LockOwner> first(new tqk::LockOwner);
  const du::SmartPtr<tqk::LockOwner> second(new tqk::LockOwner);
  tqk::ObjectWithRWLock object(first);
  {
    WriteLockGuard guard(object);
    object.SetLockOwner(second);
  }
  EXPECT_FALSE(first->GetLock().IsWriteLockedByCurrentThread());
  {
    ReadLockGuard guard(object);
    object.SetLockOwner(first);
  }
  EXPECT_TRUE(WriteSideIsFree(second->GetLock()));

  tqk::ObjectWithRWLock unlocked;
  {
    WriteLockGuard write(unlocked);
    ReadLockGuard read(unlocked);
    unlocked.SetLockOwner(second);
  }
  EXPECT_TRUE(WriteSideIsFree(second->GetLock()));
}

TEST(LockGuard, KeepsTheOwnerAliveWhileHeldWhenTheObjectDropsIt)
{
  // The object holds the only reference to its owner; replacing it while a guard is held must not
  // free the lock that the guard is still to release.
  Guarded writeGuarded;
  const tqk::LockOwner* writeOwner = writeGuarded.GetLockOwner();
  {
    WriteLockGuard guard(writeGuarded);
    writeGuarded.SetLockOwner(du::SmartPtr<tqk::LockOwner>());
    EXPECT_EQ(writeOwner->GetReferenceCount(), 1) << "the guard's own reference";
  }
  Guarded readGuarded;
  const tqk::LockOwner* readOwner = readGuarded.GetLockOwner();
  {
    ReadLockGuard guard(readGuarded);
    readGuarded.SetLockOwner(new tqk::LockOwner);
    EXPECT_EQ(readOwner->GetReferenceCount(), 1);
  }
  EXPECT_NE(readGuarded.GetLockOwner(), readOwner);
}

} // namespace
