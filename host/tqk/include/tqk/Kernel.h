#pragma once

#include <dom/ManagedObject.h>
#include <du/SmartPtr.h>
#include <tqk/PickEvent.h>
#include <tqk/PickResult.h>

#include <cstddef>
#include <deque>
#include <functional>
#include <mutex>
#include <vector>

namespace tqk {

//! The host's kernel: it keeps requests alive (dom::ManagedObject::ManageObject) and answers
//! them from its queue.
//!
//! Answers never arrive inside a request: a request queues its answer, and the answer runs when
//! the program that plays the host pumps the queue (PumpQueue), on the pumping thread, in the
//! order the answers were queued.
class Kernel : public dom::ManagedObject
{
public:
  //! The process's kernel, made on first use.
  static du::SmartPtr<Kernel> GetKernel();

  du::Symbol GetObjectClass() const override;

  //! Queues an answer; null is refused.
  bool Post(std::function<void()> answer);
  //! Queues the delivery of these results to the pick event (tqk::PickEvent::Deliver), and lets
  //! the kernel release the event after it. Null is refused.
  bool QueuePickAnswer(const du::SmartPtr<PickEvent>& event, const std::vector<PickResult>& results);
  //! Runs the queued answers until the queue is empty, answers queued meanwhile included.
  //! Returns how many ran.
  std::size_t PumpQueue();
  std::size_t GetQueuedCount() const;

private:
  Kernel() = default;

  mutable std::mutex m_queueMutex;
  std::deque<std::function<void()>> m_queue;
};

} // namespace tqk
