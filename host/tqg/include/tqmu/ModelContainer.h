#pragma once

#include <du/SmartPtr.h>
#include <tqmu/ModelBase.h>

#include <vector>

namespace tqmu {

//! A drawing-model node that groups others; the first child is drawn first.
class ModelContainer : public ModelBase
{
public:
  //! Puts the child in front of the others; false for null and for a child held already.
  bool AddHead(const du::SmartPtr<ModelBase>& child);
  //! False when the node is not a child of this container.
  bool Remove(const du::SmartPtr<ModelBase>& child);
  const std::vector<du::SmartPtr<ModelBase>>& GetChildren() const { return m_children; }

  void AppendPrimitives(Primitives& primitives) const override;

private:
  std::vector<du::SmartPtr<ModelBase>> m_children;
};

} // namespace tqmu
