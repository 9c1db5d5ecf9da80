#include <dp/ReadWriteLock.h>

#include <cstdio>
#include <cstdlib>

namespace dp {
namespace {

[[noreturn]] void Fail(const char* message)
{
  std::fprintf(stderr, "dp::ReadWriteLock: %s\n", message);
  std::abort();
}

//! The read sides that the current thread holds, with their nesting depth. A thread holds few
//! locks at once, so a small flat table is both enough and cheap to search. Its address also
//! names the thread to the locks it writes.
class ThreadReadHolds
{
public:
  // Searched from the most recent hold: guards nest, so the lock released or taken again is
  // nearly always the one taken last.
  unsigned* Find(const ReadWriteLock* lock) noexcept
  {
    const unsigned index = IndexOf(lock);
    return index < m_count ? &m_holds[index].depth : nullptr;
  }

  void Add(const ReadWriteLock* lock)
  {
    if (m_count == kCapacity)
      Fail("one thread holds the read side of too many locks at once");
    m_holds[m_count++] = {lock, 1};
  }

  //! Counts one read side of the lock off; true when that was the last one the thread held.
  bool Release(const ReadWriteLock* lock)
  {
    const unsigned index = IndexOf(lock);
    if (index == m_count)
      Fail("read unlock by a thread that holds no read lock");
    if (--m_holds[index].depth > 0)
      return false;
    // The last hold fills the freed slot, unless it is the freed slot.
    if (index != --m_count)
      m_holds[index] = m_holds[m_count];
    return true;
  }

private:
  static constexpr unsigned kCapacity = 64;
  struct Hold
  {
    const ReadWriteLock* lock;
    unsigned depth;
  };
  //! The index of the lock's hold, or m_count when the thread holds none.
  unsigned IndexOf(const ReadWriteLock* lock) const noexcept
  {
    for (unsigned i = m_count; i-- > 0;)
      if (m_holds[i].lock == lock)
        return i;
    return m_count;
  }

  Hold m_holds[kCapacity] = {};
  unsigned m_count = 0;
};

// Constant-initialised, so that reaching it needs no first-use check on every lock call. This
// library is loaded with the program, never opened later, so its thread-local storage can sit in
// the block set up at thread start and be reached directly rather than through __tls_get_addr.
thread_local ThreadReadHolds t_readHolds __attribute__((tls_model("initial-exec")));

} // namespace

bool ReadWriteLock::IsWriteLockedByCurrentThread() const noexcept
{
  return m_writer.load(std::memory_order_relaxed) == &t_readHolds;
}

void ReadWriteLock::ReadLock()
{
  ThreadReadHolds& holds = t_readHolds;
  if (m_writer.load(std::memory_order_relaxed) == &holds) {
    ++m_writerReads;
    return;
  }
  if (unsigned* depth = holds.Find(this)) {
    // Nested reads do not touch the mutex: a writer waiting between the two would deadlock.
    ++*depth;
    return;
  }
  LockShared();
  holds.Add(this);
}

void ReadWriteLock::ReadUnlock()
{
  ThreadReadHolds& holds = t_readHolds;
  if (m_writer.load(std::memory_order_relaxed) == &holds) {
    if (m_writerReads == 0)
      Fail("read unlock without a matching read lock");
    --m_writerReads;
    return;
  }
  if (holds.Release(this))
    UnlockShared();
}

void ReadWriteLock::WriteLock()
{
  ThreadReadHolds& holds = t_readHolds;
  if (m_writer.load(std::memory_order_relaxed) == &holds) {
    ++m_writeDepth;
    return;
  }
  if (holds.Find(this))
    Fail("a thread that holds the read lock asked for the write lock; it would wait for itself");
  LockExclusive();
  m_writer.store(&holds, std::memory_order_relaxed);
  m_writeDepth = 1;
}

void ReadWriteLock::WriteUnlock()
{
  if (!IsWriteLockedByCurrentThread())
    Fail("write unlock by a thread that does not hold the write lock");
  if (--m_writeDepth > 0)
    return;
  if (m_writerReads != 0)
    Fail("write unlock while the writer still holds read locks");
  m_writer.store(nullptr, std::memory_order_relaxed);
  UnlockExclusive();
}

bool ReadWriteLock::SleepUnlessChanged(std::unique_lock<std::mutex>& lock, std::uint32_t seen)
{
  // Setting the mark only if nothing changed since the state was seen means that whoever changes
  // it next sees the mark, and must take m_sleepMutex to wake us, which it can only do once we
  // sleep: no wake-up is lost.
  if (!(seen & SLEEPERS) &&
      !m_state.compare_exchange_strong(seen, seen | SLEEPERS, std::memory_order_relaxed))
    return false;
  m_released.wait(lock);
  return true;
}

void ReadWriteLock::LockSharedSlowly()
{
  std::unique_lock<std::mutex> lock(m_sleepMutex);
  for (;;) {
    std::uint32_t state = m_state.load(std::memory_order_relaxed);
    if (!(state & (WRITER | WAITING_WRITERS))) {
      if (m_state.compare_exchange_weak(state, state + 1, std::memory_order_acquire))
        return;
      continue;
    }
    SleepUnlessChanged(lock, state);
  }
}

void ReadWriteLock::LockExclusiveSlowly()
{
  std::unique_lock<std::mutex> lock(m_sleepMutex);
  // Counted as waiting, new readers stay out until this writer has had its turn.
  if ((m_state.fetch_add(WAITING_WRITER, std::memory_order_relaxed) & WAITING_WRITERS) == WAITING_WRITERS)
    Fail("too many writers wait for one lock");
  for (;;) {
    std::uint32_t state = m_state.load(std::memory_order_relaxed);
    if (!(state & (WRITER | READERS))) {
      // The sleepers' mark stays: others may still sleep, and this writer's unlock wakes them.
      if (m_state.compare_exchange_weak(state, (state - WAITING_WRITER) | WRITER, std::memory_order_acquire))
        return;
      continue;
    }
    SleepUnlessChanged(lock, state);
  }
}

void ReadWriteLock::WakeSleepers()
{
  {
    const std::lock_guard<std::mutex> lock(m_sleepMutex);
    // Every sleeper wakes and looks again; those that must wait on mark themselves anew.
    m_state.fetch_and(~SLEEPERS, std::memory_order_relaxed);
  }
  m_released.notify_all();
}

} // namespace dp
