#include <dom/ManagedObject.h>

namespace dom {

du::Symbol ManagedObject::GetObjectClass() const
{
  static const du::Symbol className("dom::ManagedObject");
  return className;
}

} // namespace dom
