#pragma once

#include <tqk/AsyncEvent.h>
#include <tqk/PickResult.h>

#include <atomic>
#include <cstdint>
#include <vector>

namespace tqk {

//! A pick request of a view (tqk::ShapeView::PickAsync), answered when the kernel's queue is
//! pumped.
//!
//! The requester hears how the pick ended through OnPickDone, exactly once and before the
//! request's state changes: an answer stores the results, tells their count through OnPickNotify,
//! calls OnPickDone(0) and completes; a pick that cannot be answered (its view shows no scene any
//! more) calls OnPickDone(1) and fails; a request that is cancelled or failed by anyone else
//! (Cancel, CompleteWithError) calls OnPickDone with its error code (1 when the code is 0) and
//! fails.
class PickEvent : public AsyncEvent
{
public:
  du::Symbol GetObjectClass() const override;

  //! The hits of the answer, nearest first; empty until answered.
  const std::vector<PickResult>& GetResults() const { return m_results; }

  //! How many hits there are; the base does nothing with it.
  virtual void OnPickNotify(std::uint32_t hitCount);
  //! The pick is done: 0 with an answer, anything else without one. The base does nothing.
  virtual void OnPickDone(int flag);

  //! Fails the request, through OnPickDone (see the class comment).
  bool CompleteWithError(const du::Symbol& message, unsigned short code) override;

  //! Plays the answer with these results, as above. False, changing nothing, when the request
  //! was answered already.
  bool Deliver(const std::vector<PickResult>& results);
  //! Plays the failure, as above. False when the request was answered already.
  bool DeliverNoAnswer();

private:
  //! Whether this call is the one that ends the request; true once only.
  bool ClaimEnd();

  std::atomic<bool> m_ended{false};
  std::vector<PickResult> m_results;
};

} // namespace tqk
