#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>

namespace dp {

//! Read/write lock of a host object, re-entrant for the thread that holds it.
//!
//! - The thread that holds the write side may take the write or the read side again.
//! - A thread that holds the read side may take it again, also while a writer waits.
//! - A thread that asks for the read side anew waits while a writer waits, so that a stream of
//!   readers cannot keep a writer out for ever.
//! - A thread that holds only the read side and asks for the write side would wait for itself
//!   forever; the lock aborts the process with a message instead.
//!
//! Every lock call must be matched by the unlock call of the same side on the same thread.
class ReadWriteLock
{
public:
  ReadWriteLock() = default;
  ReadWriteLock(const ReadWriteLock&) = delete;
  ReadWriteLock& operator=(const ReadWriteLock&) = delete;

  void ReadLock();
  void ReadUnlock();
  void WriteLock();
  void WriteUnlock();

  //! Whether the calling thread holds the write side.
  bool IsWriteLockedByCurrentThread() const noexcept;

private:
  // The shared and exclusive sides themselves, below the re-entrancy: one atomic word holds the
  // number of readers, the number of writers waiting and the writer's bit, so that taking or
  // leaving a side uncontended is one atomic operation. Threads that must wait sleep on
  // m_released.
  static constexpr std::uint32_t WRITER = 1u << 31;
  static constexpr std::uint32_t SLEEPERS = 1u << 30;       //!< some thread waits on m_released
  static constexpr std::uint32_t WAITING_WRITER = 1u << 20; //!< one writer waiting, counted
  static constexpr std::uint32_t WAITING_WRITERS = SLEEPERS - WAITING_WRITER;
  static constexpr std::uint32_t READERS = WAITING_WRITER - 1;

  void LockShared()
  {
    // Counted in first; a reader that finds a writer, or one waiting, counts itself out again
    // and waits.
    if (!(m_state.fetch_add(1, std::memory_order_acquire) & (WRITER | WAITING_WRITERS)))
      return;
    UnlockShared();
    LockSharedSlowly();
  }
  void UnlockShared()
  {
    const std::uint32_t before = m_state.fetch_sub(1, std::memory_order_release);
    if ((before & SLEEPERS) && (before & READERS) == 1)
      WakeSleepers();
  }
  void LockExclusive()
  {
    std::uint32_t free = 0;
    if (!m_state.compare_exchange_strong(free, WRITER, std::memory_order_acquire))
      LockExclusiveSlowly();
  }
  void UnlockExclusive()
  {
    if (m_state.fetch_and(~WRITER, std::memory_order_release) & SLEEPERS)
      WakeSleepers();
  }
  void LockSharedSlowly();
  void LockExclusiveSlowly();
  //! Sleeps until the state changes, after marking that someone sleeps. Called with the lock of
  //! m_released held and the state as last seen; false when the state had changed already.
  bool SleepUnlessChanged(std::unique_lock<std::mutex>& lock, std::uint32_t seen);
  void WakeSleepers();

  std::atomic<std::uint32_t> m_state{0};
  std::mutex m_sleepMutex;
  std::condition_variable m_released;
  // The writing thread, named by the address of its own record of held read sides: comparing it
  // costs one thread-local access, which the read side needs anyway.
  std::atomic<const void*> m_writer{nullptr};
  unsigned m_writeDepth = 0;  // touched only by the writer
  unsigned m_writerReads = 0; // read sides taken by the writer, likewise
};

} // namespace dp
