#pragma once

#include <tqk/BaseAsyncEvent.h>

namespace tqk {

//! The request handle that the host passes along with an operation whose result comes later;
//! whoever carries the operation out answers it once (see tqk::BaseAsyncEvent).
class AsyncEvent : public BaseAsyncEvent
{
public:
  du::Symbol GetObjectClass() const override;
};

} // namespace tqk
