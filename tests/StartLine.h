#pragma once

#include <condition_variable>
#include <mutex>

namespace test_threads {

//! A one-use latch for the threads of a test: each thread arrives and waits until all of them
//! have, so that none begins before the others are running, however late the system starts them.
class StartLine
{
public:
  explicit StartLine(int threads) : m_missing(threads) {}
  StartLine(const StartLine&) = delete;
  StartLine& operator=(const StartLine&) = delete;

  //! Counts the calling thread in and returns once every thread has arrived.
  void ArriveAndWait()
  {
    std::unique_lock<std::mutex> lock(m_mutex);
    if (--m_missing <= 0) {
      m_allArrived.notify_all();
      return;
    }
    m_allArrived.wait(lock, [this] { return m_missing <= 0; });
  }

private:
  std::mutex m_mutex;
  std::condition_variable m_allArrived;
  int m_missing;
};

} // namespace test_threads
