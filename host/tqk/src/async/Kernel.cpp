#include <tqk/Kernel.h>

namespace tqk {

du::SmartPtr<Kernel> Kernel::GetKernel()
{
  static const du::SmartPtr<Kernel> kernel(new Kernel);
  return kernel;
}

du::Symbol Kernel::GetObjectClass() const
{
  static const du::Symbol className("tqk::Kernel");
  return className;
}

bool Kernel::Post(std::function<void()> answer)
{
  if (!answer)
    return false;
  std::lock_guard<std::mutex> lock(m_queueMutex);
  m_queue.push_back(std::move(answer));
  return true;
}

bool Kernel::QueuePickAnswer(const du::SmartPtr<PickEvent>& event, const std::vector<PickResult>& results)
{
  if (!event)
    return false;
  return Post([this, event, results] {
    event->Deliver(results);
    ReleaseManagedObject(event);
  });
}

std::size_t Kernel::PumpQueue()
{
  std::size_t ran = 0;
  for (;;) {
    std::function<void()> answer;
    {
      std::lock_guard<std::mutex> lock(m_queueMutex);
      if (m_queue.empty())
        return ran;
      answer = std::move(m_queue.front());
      m_queue.pop_front();
    }
    answer();
    ++ran;
  }
}

std::size_t Kernel::GetQueuedCount() const
{
  std::lock_guard<std::mutex> lock(m_queueMutex);
  return m_queue.size();
}

} // namespace tqk
