#include <tqk/SelectionItemRepresentation.h>
#include <tqk/illustration/SbomInstanceSelectionItem.h>

namespace tqk::illustration {

namespace {

// Depth first in child order, so that the answer does not depend on where objects lie in memory.
du::SmartPtr<Instance> FirstEbomInstance(const SbomInstance& node)
{
  if (du::SmartPtr<Instance> own = node.GetEbomInstance())
    return own;
  for (const du::SmartPtr<SbomInstance>& child : node.GetChildren())
    if (du::SmartPtr<Instance> found = FirstEbomInstance(*child))
      return found;
  return nullptr;
}

} // namespace

const du::Symbol SbomInstanceSelectionItem::CLASS_TYPE("tqk::illustration::SbomInstanceSelectionItem");
const du::Symbol SbomInstanceSelectionItem::ID_FIELD("sbomInstanceId");

SbomInstanceSelectionItem::SbomInstanceSelectionItem(const du::SmartPtr<SbomInstance>& instance)
    : m_instance(instance)
{}

void SbomInstanceSelectionItem::GetClassTypes(std::vector<du::Symbol>& types) const
{
  types.push_back(CLASS_TYPE);
  SelectionItem::GetClassTypes(types);
}

bool SbomInstanceSelectionItem::HasAmongMembers(const SelectionItem* item) const
{
  if (item == this)
    return true;
  for (const du::SmartPtr<SelectionItem>& member : m_members) {
    const auto* collection = dynamic_cast<const SbomInstanceSelectionItem*>(member.Get());
    if (collection ? collection->HasAmongMembers(item) : member.Get() == item)
      return true;
  }
  return false;
}

bool SbomInstanceSelectionItem::AddMemberItem(const du::SmartPtr<SelectionItem>& member)
{
  // An item among its own members would hold itself, and neither would ever be freed.
  const auto* collection = dynamic_cast<const SbomInstanceSelectionItem*>(member.Get());
  if (!member || (collection && collection->HasAmongMembers(this)))
    return false;
  m_members.push_back(member);
  return true;
}

du::ConstSmartPtr<SelectionItemRepresentation> SbomInstanceSelectionItem::GetRepresentation() const
{
  du::SmartPtr<SelectionItemRepresentation> representation(new SelectionItemRepresentation(GetContentType()));
  if (m_instance)
    representation->SetField(ID_FIELD, m_instance->GetIDPath().GetText(), true);
  return representation;
}

du::SmartPtr<Instance> SbomInstanceSelectionItem::GetPickedInstance() const
{
  return m_instance ? FirstEbomInstance(*m_instance) : nullptr;
}

} // namespace tqk::illustration
