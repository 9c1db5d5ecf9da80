#pragma once

#include <du/SmartPtr.h>
#include <tqmu/ModelBase.h>

#include <vector>

namespace tqmu {

//! A drawing-model node that groups others; the first child is drawn first.
class ModelContainer : public ModelBase
{
public:
  //! Puts the child in front of the others; false for null, for a child held already, and for
  //! this container or one that holds it.
  bool AddHead(const du::SmartPtr<ModelBase>& child);
  //! False when the node is not a child of this container.
  bool Remove(const du::SmartPtr<ModelBase>& child);
  const std::vector<du::SmartPtr<ModelBase>>& GetChildren() const { return m_children; }

  void AppendPrimitives(Primitives& primitives) const override;

private:
  //! Whether the node is this container or one below it.
  bool Holds(const ModelBase* node) const;

  std::vector<du::SmartPtr<ModelBase>> m_children;
};

} // namespace tqmu
