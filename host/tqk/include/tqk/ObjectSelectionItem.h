#pragma once

#include <du/SmartPtr.h>
#include <tqk/SelectionItem.h>

namespace tqk {

//! A selection item that stands for a whole object (an instance, an assembly, an annotation).
class ObjectSelectionItem : public SelectionItem
{
public:
  explicit ObjectSelectionItem(const du::SmartPtr<Object>& object) : m_object(object) {}

  const du::SmartPtr<Object>& GetObject() const { return m_object; }

  //! The object when it is an engineering instance.
  du::SmartPtr<Instance> GetPickedInstance() const override;

private:
  du::SmartPtr<Object> m_object;
};

} // namespace tqk
