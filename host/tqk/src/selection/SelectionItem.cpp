#include <tqk/Instance.h>
#include <tqk/SelectionItem.h>
#include <tqk/SelectionItemRepresentation.h>

namespace tqk {

du::ConstSmartPtr<SelectionItemRepresentation> SelectionItem::GetRepresentation() const
{
  return du::ConstSmartPtr<SelectionItemRepresentation>(new SelectionItemRepresentation(m_contentType));
}

du::SmartPtr<Instance> SelectionItem::GetPickedInstance() const { return nullptr; }

} // namespace tqk
