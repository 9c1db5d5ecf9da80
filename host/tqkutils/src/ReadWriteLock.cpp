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
//! locks at once, so a small flat table is both enough and cheap to search.
class ThreadReadHolds
{
public:
  unsigned* Find(const ReadWriteLock* lock) noexcept
  {
    for (unsigned i = 0; i < m_count; ++i)
      if (m_holds[i].lock == lock)
        return &m_holds[i].depth;
    return nullptr;
  }

  void Add(const ReadWriteLock* lock)
  {
    if (m_count == kCapacity)
      Fail("one thread holds the read side of too many locks at once");
    m_holds[m_count++] = {lock, 1};
  }

  void Remove(const ReadWriteLock* lock) noexcept
  {
    for (unsigned i = 0; i < m_count; ++i)
      if (m_holds[i].lock == lock) {
        m_holds[i] = m_holds[--m_count];
        return;
      }
  }

private:
  static constexpr unsigned kCapacity = 64;
  struct Hold
  {
    const ReadWriteLock* lock;
    unsigned depth;
  };
  Hold m_holds[kCapacity];
  unsigned m_count = 0;
};

thread_local ThreadReadHolds t_readHolds;

} // namespace

bool ReadWriteLock::IsWriteLockedByCurrentThread() const noexcept
{
  return m_writer.load(std::memory_order_relaxed) == std::this_thread::get_id();
}

void ReadWriteLock::ReadLock()
{
  if (IsWriteLockedByCurrentThread()) {
    ++m_writerReads;
    return;
  }
  if (unsigned* depth = t_readHolds.Find(this)) {
    // Nested reads do not touch the mutex: a writer waiting between the two would deadlock.
    ++*depth;
    return;
  }
  m_mutex.lock_shared();
  t_readHolds.Add(this);
}

void ReadWriteLock::ReadUnlock()
{
  if (IsWriteLockedByCurrentThread()) {
    if (m_writerReads == 0)
      Fail("read unlock without a matching read lock");
    --m_writerReads;
    return;
  }
  unsigned* depth = t_readHolds.Find(this);
  if (!depth)
    Fail("read unlock by a thread that holds no read lock");
  if (--*depth == 0) {
    t_readHolds.Remove(this);
    m_mutex.unlock_shared();
  }
}

void ReadWriteLock::WriteLock()
{
  if (IsWriteLockedByCurrentThread()) {
    ++m_writeDepth;
    return;
  }
  if (t_readHolds.Find(this))
    Fail("a thread that holds the read lock asked for the write lock; it would wait for itself");
  m_mutex.lock();
  m_writer.store(std::this_thread::get_id(), std::memory_order_relaxed);
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
  m_writer.store(std::thread::id(), std::memory_order_relaxed);
  m_mutex.unlock();
}

} // namespace dp
