#include <tqk/Observable.h>

namespace tqk {

bool Observable::PostObservableEvent(const du::SmartPtr<dom::ObservableEvent>& event, bool /*deferred*/)
{
  if (!event)
    return false;
  DeliverToObservers(*event);
  return true;
}

} // namespace tqk
