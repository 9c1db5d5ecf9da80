#include <dp/ReadWriteLock.h>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

namespace {

using namespace std::chrono_literals;

TEST(ReadWriteLock, WriterMayTakeWriteAndReadAgain)
{
  dp::ReadWriteLock lock;
  lock.WriteLock();
  lock.WriteLock();
  lock.ReadLock();
  lock.ReadLock();
  EXPECT_TRUE(lock.IsWriteLockedByCurrentThread());
  lock.ReadUnlock();
  lock.ReadUnlock();
  lock.WriteUnlock();
  EXPECT_TRUE(lock.IsWriteLockedByCurrentThread()) << "still held once";
  lock.WriteUnlock();
  EXPECT_FALSE(lock.IsWriteLockedByCurrentThread());
}

TEST(ReadWriteLock, WriteSideExcludesOtherThreadsUntilFullyReleased)
{
  dp::ReadWriteLock lock;
  lock.WriteLock();
  lock.WriteLock();
  std::atomic<bool> entered{false};
  std::thread reader([&] {
    lock.ReadLock();
    entered = true;
    lock.ReadUnlock();
  });
  std::this_thread::sleep_for(20ms);
  EXPECT_FALSE(entered);
  lock.WriteUnlock();
  std::this_thread::sleep_for(20ms);
  EXPECT_FALSE(entered) << "the nested write is released, the outer one still holds";
  lock.WriteUnlock();
  reader.join();
  EXPECT_TRUE(entered);
}

TEST(ReadWriteLock, ReadersShareAndNestWhileAWriterWaits)
{
  dp::ReadWriteLock lock;
  lock.ReadLock();
  std::atomic<bool> written{false};
  std::thread writer([&] {
    lock.WriteLock();
    written = true;
    lock.WriteUnlock();
  });
  std::this_thread::sleep_for(20ms);
  // A nested read must not queue behind the waiting writer: that would deadlock.
  lock.ReadLock();
  lock.ReadUnlock();
  EXPECT_FALSE(written);

  std::atomic<bool> otherRead{false};
  std::thread otherReader([&] {
    lock.ReadLock();
    otherRead = true;
    lock.ReadUnlock();
  });
  lock.ReadUnlock();
  writer.join();
  otherReader.join();
  EXPECT_TRUE(written);
  EXPECT_TRUE(otherRead);
}

TEST(ReadWriteLockDeathTest, AskingForWriteWhileHoldingOnlyReadAborts)
{
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  dp::ReadWriteLock lock;
  EXPECT_DEATH(
    {
      lock.ReadLock();
      lock.WriteLock();
    },
    "holds the read lock asked for the write lock");
}

TEST(ReadWriteLockDeathTest, UnbalancedUnlockAborts)
{
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  dp::ReadWriteLock lock;
  EXPECT_DEATH(lock.ReadUnlock(), "holds no read lock");
  EXPECT_DEATH(lock.WriteUnlock(), "does not hold the write lock");
}

} // namespace
