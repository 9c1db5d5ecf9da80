#pragma once

#include <tqk/AsyncEvent.h>
#include <tqk/PickResult.h>

#include <cstdint>
#include <vector>

namespace tqk {

//! A pick request of a view (tqk::ShapeView::PickAsync), answered when the kernel's queue is
//! pumped.
//!
//! The answer comes in this order: the results are stored, OnPickNotify tells how many there are,
//! OnPickDone(0) says that the pick is done, and the request completes. A pick that cannot be
//! answered (its view shows no scene any more) gets OnPickDone(1) and fails instead.
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

  //! Plays the answer with these results, as above. False, changing nothing, when the request
  //! was answered already.
  bool Deliver(const std::vector<PickResult>& results);
  //! Plays the failure, as above. False when the request was answered already.
  bool DeliverNoAnswer();

private:
  std::vector<PickResult> m_results;
};

} // namespace tqk
