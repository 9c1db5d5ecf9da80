#pragma once

#include <dg/FBox.h>
#include <du/SmartPtr.h>
#include <tqk/BaseInstance.h>
#include <tqk/InstanceVisitor.h>
#include <tqk/Shape.h>

#include <vector>

namespace tqk {

//! An engineering instance: a part (with a shape source) or an assembly (with instances below).
//!
//! Its shape source is the geometry it is made of, with the box the source declares (which may
//! be unknown, dg::FBox::EMPTY, until the geometry is read). The structure-tree instance that
//! stands for it, if any, refers to it counted and is known here by a plain pointer that the
//! structure-tree instance sets and clears.
class Instance : public BaseInstance
{
public:
  static const du::Symbol CLASS_TYPE;

  explicit Instance(const du::Symbol& idPath) : BaseInstance(idPath) {}

  du::Symbol GetClassType() const override { return CLASS_TYPE; }
  void GetClassTypes(std::vector<du::Symbol>& types) const override;

  //! Makes the shape the instance's source, with the box the source declares.
  void SetShapeSource(const du::SmartPtr<Shape>& shape, const dg::FBox& declaredBox);
  bool HasShapeSource() const { return static_cast<bool>(m_shape); }
  //! The box the shape source declares; dg::FBox::EMPTY when it declares none.
  dg::FBox GetShapeSourceBBox() const { return m_sourceBox; }

  //! The structure-tree instance that stands for this one; null when there is none.
  du::SmartPtr<BaseInstance> GetSbomInstance() const { return du::SmartPtr<BaseInstance>(m_sbomInstance); }
  //! Called by the structure-tree instance when it takes this instance on.
  void SetSbomInstance(BaseInstance* structureInstance) { m_sbomInstance = structureInstance; }
  //! Called by the structure-tree instance when it lets this instance go: forgets it if it is
  //! the one this instance knows.
  void ForgetSbomInstance(const BaseInstance* structureInstance)
  {
    if (m_sbomInstance == structureInstance)
      m_sbomInstance = nullptr;
  }

  //! Appends an instance below this one; false for null, for one held already, and for this
  //! instance or one that holds it (the instances would hold each other).
  bool AddChild(const du::SmartPtr<Instance>& child);
  const std::vector<du::SmartPtr<Instance>>& GetChildren() const { return m_children; }

  //! Walks this instance and those below it, depth first in child order.
  void Accept(InstanceVisitor& visitor) const;

private:
  void Accept(InstanceVisitor& visitor, unsigned depth) const;
  //! Whether the instance is this one or one below it.
  bool Holds(const Instance* instance) const;

  du::SmartPtr<Shape> m_shape;
  dg::FBox m_sourceBox = dg::FBox::EMPTY;
  BaseInstance* m_sbomInstance = nullptr;
  std::vector<du::SmartPtr<Instance>> m_children;
};

} // namespace tqk
