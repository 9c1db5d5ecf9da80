#include "StartLine.h"
#include "ThreadRounds.h"

#include <dp/ReadWriteLock.h>

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

namespace {

using test_threads::StartLine;
using test_threads::ThreadRounds;

//! Gives a thread that has said it is about to take the lock the chance to get there and wait.
//! Nothing asserted depends on it having done so: it only makes the waiting case the usual one.
void LetTheOtherThreadReachTheLock(const std::atomic<bool>& aboutToLock)
{
  for (int turn = 0; turn < 1000 && !aboutToLock.load(); ++turn)
    std::this_thread::yield();
  for (int turn = 0; turn < 3; ++turn)
    std::this_thread::yield();
}

//! Stays inside the lock for a moment without giving the core away, so that others pile up at it.
void StayInside()
{
  for (volatile int step = 0; step < 200; step = step + 1) {
  }
}

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
  std::atomic<bool> aboutToLock{false};
  std::atomic<bool> entered{false};
  StartLine started(2);
  std::thread reader([&] {
    started.ArriveAndWait();
    aboutToLock = true;
    lock.ReadLock();
    entered = true;
    lock.ReadUnlock();
  });
  started.ArriveAndWait();
  LetTheOtherThreadReachTheLock(aboutToLock);
  EXPECT_FALSE(entered);
  lock.WriteUnlock();
  LetTheOtherThreadReachTheLock(aboutToLock);
  EXPECT_FALSE(entered) << "the nested write is released, the outer one still holds";
  lock.WriteUnlock();
  reader.join();
  EXPECT_TRUE(entered);
}

TEST(ReadWriteLock, ReadersShareAndNestWhileAWriterWaits)
{
  dp::ReadWriteLock lock;
  lock.ReadLock();
  std::atomic<bool> aboutToLock{false};
  std::atomic<bool> written{false};
  StartLine started(2);
  std::thread writer([&] {
    started.ArriveAndWait();
    aboutToLock = true;
    lock.WriteLock();
    written = true;
    lock.WriteUnlock();
  });
  started.ArriveAndWait();
  LetTheOtherThreadReachTheLock(aboutToLock);
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
  ThreadRounds threads;
  threads.AddMany(3, kRounds, [&](int, int) {
    lock.WriteLock();
    ++first;
    lock.ReadLock();
    lock.WriteLock();
    ++second;
    lock.WriteUnlock();
    lock.ReadUnlock();
    lock.WriteUnlock();
  });
  threads.AddMany(3, kRounds, [&](int, int) {
    lock.ReadLock();
    lock.ReadLock();
    if (first != second)
      torn = true;
    lock.ReadUnlock();
    lock.ReadUnlock();
  });
  EXPECT_EQ(threads.Run(), threads.Asked());
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
  ThreadRounds threads;
  threads.AddMany(kThreads, kRounds, [&](int t, int i) {
    if ((i + t) % 3 == 0) {
      lock.WriteLock();
      if (insideAsWriter.fetch_add(1) != 0)
        overlapped = true;
      StayInside();
      insideAsWriter.fetch_sub(1);
      lock.WriteUnlock();
    } else {
      lock.ReadLock();
      if (insideAsWriter.load() != 0)
        overlapped = true;
      StayInside();
      lock.ReadUnlock();
    }
  });
  EXPECT_EQ(threads.Run(), threads.Asked());
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
// let a writer in: new readers wait while a writer waits. Before, the writer never got in.
TEST(ReadWriteLock, AStreamOfReadersDoesNotKeepAWriterOut)
{
  // Far more reads than a fair lock needs before the writes are done; a lock that starves the
  // writer lets it in only after the readers have run out of them.
  constexpr int kReadCap = 200000;
  constexpr int kWrites = 50;
  dp::ReadWriteLock lock;
  std::atomic<bool> written{false};
  std::atomic<int> reads{0};
  ThreadRounds threads;
  threads.AddMany(4, kReadCap, [&](int, int) {
    if (written.load())
      return;
    ++reads;
    lock.ReadLock();
    lock.ReadLock(); // nested reads pass a waiting writer
    std::this_thread::yield();
    lock.ReadUnlock();
    lock.ReadUnlock();
  });
  threads.Add(kWrites, [&](int write) {
    lock.WriteLock();
    lock.WriteUnlock();
    if (write == kWrites - 1)
      written = true;
  });
  EXPECT_EQ(threads.Run(), threads.Asked());
  EXPECT_LT(reads.load(), 4 * kReadCap) << "the writer got in only once the readers had stopped";
}
