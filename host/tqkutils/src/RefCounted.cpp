#include <du/RefCounted.h>

namespace du {

void RefCounted::LastReferenceRemoved() const
{
  // The hook runs with one reference held, so that whatever it does with the object
  // (hand it out again, say) cannot destroy it under our feet.
  m_count.fetch_add(1, std::memory_order_relaxed);
  const bool mayDestroy = const_cast<RefCounted*>(this)->ZeroReferenceCountHook();
  if (m_count.fetch_sub(1, std::memory_order_acq_rel) == 1 && mayDestroy)
    delete this;
}

} // namespace du
