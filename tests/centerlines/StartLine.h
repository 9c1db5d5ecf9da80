#pragma once

#include <condition_variable>
#include <mutex>

//! Holds every thread that arrives until all have, so that threads of a test start together
//! rather than one after the other as they happen to be scheduled.
class StartLine
{
public:
  explicit StartLine(int threads) : m_waiting(threads) {}

  void ArriveAndWait()
  {
    std::unique_lock<std::mutex> lock(m_mutex);
    if (--m_waiting == 0)
      m_allHere.notify_all();
    else
      m_allHere.wait(lock, [this] { return m_waiting == 0; });
  }

private:
  std::mutex m_mutex;
  std::condition_variable m_allHere;
  int m_waiting;
};
