#include <dp/ReadWriteLock.h>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

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

TEST(ReadWriteLock, WritersStayExclusiveUnderContention)
{
  constexpr int kRounds = 3000;
  dp::ReadWriteLock lock;
  long first = 0, second = 0; // equal whenever no writer is inside
  std::atomic<bool> torn{false};
  const auto write = [&] {
    for (int i = 0; i < kRounds; ++i) {
      lock.WriteLock();
      ++first;
      lock.ReadLock();
      lock.WriteLock();
      ++second;
      lock.WriteUnlock();
      lock.ReadUnlock();
      lock.WriteUnlock();
    }
  };
  const auto read = [&] {
    for (int i = 0; i < kRounds; ++i) {
      lock.ReadLock();
      lock.ReadLock();
      if (first != second)
        torn = true;
      lock.ReadUnlock();
      lock.ReadUnlock();
    }
  };
  std::vector<std::thread> threads;
  for (int t = 0; t < 3; ++t) {
    threads.emplace_back(write);
    threads.emplace_back(read);
  }
  for (std::thread& thread : threads)
    thread.join();
  EXPECT_FALSE(torn) << "a reader saw a writer half way";
  EXPECT_EQ(first, 3L * kRounds) << "lost updates: two writers were inside at once";
  EXPECT_EQ(second, first);
}

TEST(ReadWriteLock, ThreadsThatMustWaitAreAllWokenAgain)
{
  // Many threads switching between the two sides make readers wait on writers and writers on
  // readers over and over; a wake-up lost on the way would leave a thread asleep for good.
  constexpr int kThreads = 8;
  constexpr int kRounds = 4000;
  dp::ReadWriteLock lock;
  std::atomic<int> insideAsWriter{0};
  std::atomic<bool> overlapped{false};
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t)
    threads.emplace_back([&, t] {
      for (int i = 0; i < kRounds; ++i) {
        if ((i + t) % 3 == 0) {
          lock.WriteLock();
          if (insideAsWriter.fetch_add(1) != 0)
            overlapped = true;
          std::this_thread::yield();
          insideAsWriter.fetch_sub(1);
          lock.WriteUnlock();
        } else {
          lock.ReadLock();
          if (insideAsWriter.load() != 0)
            overlapped = true;
          std::this_thread::yield();
          lock.ReadUnlock();
        }
      }
    });
  for (std::thread& thread : threads)
    thread.join();
  EXPECT_FALSE(overlapped);
}

TEST(ReadWriteLock, ReadSidesOfSeveralLocksReleaseInAnyOrder)
{
  dp::ReadWriteLock locks[5];
  for (dp::ReadWriteLock& lock : locks)
    lock.ReadLock();
  locks[2].ReadLock(); // nested on one of them
  // Release out of order, so that the thread's record of holds is reshuffled under the nesting.
  for (int i : {0, 2, 4, 1, 2, 3})
    locks[i].ReadUnlock();

  std::thread writer([&] {
    for (dp::ReadWriteLock& lock : locks) {
      lock.WriteLock(); // would wait forever on a read side left behind
      lock.WriteUnlock();
    }
  });
  writer.join();
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

// Readers that keep taking the read side anew, so that one of them always holds it, must still
// let a writer in: new readers wait while a writer waits. Before, this never ended.
TEST(ReadWriteLock, AStreamOfReadersDoesNotKeepAWriterOut)
{
  dp::ReadWriteLock lock;
  std::atomic<bool> done{false};
  std::vector<std::thread> readers;
  for (int r = 0; r < 4; ++r)
    readers.emplace_back([&] {
      while (!done.load()) {
        lock.ReadLock();
        lock.ReadLock(); // nested reads pass a waiting writer
        std::this_thread::sleep_for(50us);
        lock.ReadUnlock();
        lock.ReadUnlock();
      }
    });
  std::this_thread::sleep_for(5ms);
  for (int i = 0; i < 50; ++i) {
    lock.WriteLock();
    lock.WriteUnlock();
  }
  done = true;
  for (std::thread& reader : readers)
    reader.join();
}
