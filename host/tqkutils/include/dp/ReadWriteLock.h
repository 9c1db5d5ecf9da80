#pragma once

#include <atomic>
#include <shared_mutex>

namespace dp {

//! Read/write lock of a host object, re-entrant for the thread that holds it.
//!
//! - The thread that holds the write side may take the write or the read side again.
//! - A thread that holds the read side may take it again, also while a writer waits.
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
  std::shared_mutex m_mutex;
  // The writing thread, named by the address of its own record of held read sides: comparing it
  // costs one thread-local access, which the read side needs anyway.
  std::atomic<const void*> m_writer{nullptr};
  unsigned m_writeDepth = 0;  // touched only by the writer
  unsigned m_writerReads = 0; // read sides taken by the writer, likewise
};

} // namespace dp
