#pragma once

#include <dom/Observer.h>
#include <du/Symbol.h>

#include <functional>
#include <mutex>
#include <vector>

namespace tqk {

//! A request whose answer comes later: it is pending until it is completed, with success
//! (Complete) or with an error message and code (CompleteWithError), exactly once.
//!
//! The requester hears of the answer through the callbacks it registered with WhenDone, each
//! called once, on the thread that completes the request, after the event's state has changed.
class BaseAsyncEvent : public dom::Observer
{
public:
  enum Status
  {
    PENDING,
    COMPLETED,
    FAILED
  };

  using DoneCallback = std::function<void(const BaseAsyncEvent&)>;

  //! Answers the request with success; false, changing nothing, when it was answered already.
  virtual bool Complete();
  //! Answers the request with an error; false, changing nothing, when it was answered already.
  virtual bool CompleteWithError(const du::Symbol& message, unsigned short code);
  //! Withdraws the request: it fails through CompleteWithError with the message "Cancelled" and
  //! the code kCancelledCode, so that a requester overriding CompleteWithError hears of it there.
  //! False, changing nothing, when it was answered already.
  virtual bool Cancel();

  //! The error code of a cancelled request.
  static constexpr unsigned short kCancelledCode = 2;

  Status GetStatus() const;
  bool IsPending() const { return GetStatus() == PENDING; }
  //! The error's message and code; empty and 0 unless the request failed.
  du::Symbol GetErrorMessage() const;
  unsigned short GetErrorCode() const;

  //! Calls back when the request is answered; at once when it was answered already.
  void WhenDone(DoneCallback callback);

private:
  bool Finish(Status status, const du::Symbol& message, unsigned short code);

  mutable std::mutex m_mutex;
  Status m_status = PENDING;
  du::Symbol m_errorMessage;
  unsigned short m_errorCode = 0;
  std::vector<DoneCallback> m_callbacks;
};

} // namespace tqk
