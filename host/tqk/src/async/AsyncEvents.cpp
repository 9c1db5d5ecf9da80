#include <tqk/AsyncEvent.h>
#include <tqk/BaseAsyncEvent.h>
#include <tqk/PickEvent.h>

namespace tqk {

bool BaseAsyncEvent::Complete() { return Finish(COMPLETED, du::Symbol::EMPTY, 0); }

bool BaseAsyncEvent::CompleteWithError(const du::Symbol& message, unsigned short code)
{
  return Finish(FAILED, message, code);
}

bool BaseAsyncEvent::Finish(Status status, const du::Symbol& message, unsigned short code)
{
  std::vector<DoneCallback> callbacks;
  {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_status != PENDING)
      return false;
    m_status = status;
    m_errorMessage = message;
    m_errorCode = code;
    callbacks.swap(m_callbacks);
  }
  // Outside the mutex: a requester may ask the event about itself from its callback.
  for (const DoneCallback& callback : callbacks)
    callback(*this);
  return true;
}

bool BaseAsyncEvent::Cancel()
{
  if (!IsPending())
    return false;
  return CompleteWithError(du::Symbol("Cancelled"), kCancelledCode);
}

BaseAsyncEvent::Status BaseAsyncEvent::GetStatus() const
{
  std::lock_guard<std::mutex> lock(m_mutex);
  return m_status;
}

du::Symbol BaseAsyncEvent::GetErrorMessage() const
{
  std::lock_guard<std::mutex> lock(m_mutex);
  return m_errorMessage;
}

unsigned short BaseAsyncEvent::GetErrorCode() const
{
  std::lock_guard<std::mutex> lock(m_mutex);
  return m_errorCode;
}

void BaseAsyncEvent::WhenDone(DoneCallback callback)
{
  if (!callback)
    return;
  {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_status == PENDING) {
      m_callbacks.push_back(std::move(callback));
      return;
    }
  }
  callback(*this);
}

du::Symbol AsyncEvent::GetObjectClass() const
{
  static const du::Symbol className("tqk::AsyncEvent");
  return className;
}

du::Symbol PickEvent::GetObjectClass() const
{
  static const du::Symbol className("tqk::PickEvent");
  return className;
}

void PickEvent::OnPickNotify(std::uint32_t) {}

void PickEvent::OnPickDone(int) {}

bool PickEvent::ClaimEnd() { return IsPending() && !m_ended.exchange(true); }

bool PickEvent::CompleteWithError(const du::Symbol& message, unsigned short code)
{
  if (!ClaimEnd())
    return false;
  OnPickDone(code != 0 ? code : 1);
  return AsyncEvent::CompleteWithError(message, code);
}

bool PickEvent::Deliver(const std::vector<PickResult>& results)
{
  if (!ClaimEnd())
    return false;
  m_results = results;
  OnPickNotify(static_cast<std::uint32_t>(m_results.size()));
  OnPickDone(0);
  AsyncEvent::Complete();
  return true;
}

bool PickEvent::DeliverNoAnswer() { return CompleteWithError(du::Symbol("The view shows no scene"), 1); }

} // namespace tqk
