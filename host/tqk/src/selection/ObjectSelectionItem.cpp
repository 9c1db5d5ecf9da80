#include <tqk/Instance.h>
#include <tqk/ObjectSelectionItem.h>

namespace tqk {

du::SmartPtr<Instance> ObjectSelectionItem::GetPickedInstance() const
{
  return du::SmartPtr<Instance>::DynamicCast(m_object);
}

} // namespace tqk
