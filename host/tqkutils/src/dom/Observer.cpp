#include <dom/Observer.h>

namespace dom {

void Observer::EventHandler(const du::SmartPtr<Message>&) {}

} // namespace dom
