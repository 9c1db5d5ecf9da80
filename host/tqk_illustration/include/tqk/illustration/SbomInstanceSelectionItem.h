#pragma once

#include <du/SmartPtr.h>
#include <tqk/SelectionItem.h>
#include <tqk/illustration/SbomInstance.h>

#include <vector>

namespace tqk {
namespace illustration {

//! A selection item that stands for an instance of the illustration's structure tree.
//!
//! Picked as a collection, it also keeps the items of the members the user picked with it, in
//! their order. Written down (GetRepresentation), it is found again by the structure instance's
//! id path, its one identity field "sbomInstanceId".
class SbomInstanceSelectionItem : public SelectionItem
{
public:
  static const du::Symbol CLASS_TYPE;
  static const du::Symbol ID_FIELD; //!< "sbomInstanceId"

  explicit SbomInstanceSelectionItem(const du::SmartPtr<SbomInstance>& instance);

  du::Symbol GetClassType() const override { return CLASS_TYPE; }
  void GetClassTypes(std::vector<du::Symbol>& types) const override;

  //! The structure instance; null when the item stands for none.
  const du::SmartPtr<SbomInstance>& GetSbomInstance() const { return m_instance; }

  //! Appends a member's item; null is refused, and so is this item or one that has it among its
  //! members (the two would hold each other).
  bool AddMemberItem(const du::SmartPtr<SelectionItem>& member);
  const std::vector<du::SmartPtr<SelectionItem>>& GetMemberItems() const { return m_members; }

  du::ConstSmartPtr<SelectionItemRepresentation> GetRepresentation() const override;
  //! The structure instance's engineering instance or, for one without (a weld, say), the first
  //! one below it, depth first in child order.
  du::SmartPtr<Instance> GetPickedInstance() const override;

private:
  //! Whether the item is this one or among its members, at any depth.
  bool HasAmongMembers(const SelectionItem* item) const;

  du::SmartPtr<SbomInstance> m_instance;
  std::vector<du::SmartPtr<SelectionItem>> m_members;
};

} // namespace illustration
} // namespace tqk
