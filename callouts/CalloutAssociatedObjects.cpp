#include <tqannotations/Callout.h>

#include "common/ReadLockGuard.h"

#include <tqk/Instance.h>
#include <tqk/ObjectSelectionItem.h>
#include <tqk/illustration/Illustration3dScene.h>
#include <tqk/illustration/ItemsList.h>
#include <tqk/illustration/SbomInstance.h>

#include <set>

namespace tqannotations {
namespace {

using Objects = std::vector<du::SmartPtr<tqk::Object>>;

void AppendItem(Objects& objects, const du::SmartPtr<tqk::Instance>& instance)
{
  objects.push_back(new tqk::ObjectSelectionItem(instance));
}

//! Whether a weld member of the second set stands for an item that the items list does not
//! itemize of its own.
bool IsUnitemizedItem(const tqk::illustration::ItemsList& items, const tqk::Instance& member)
{
  const du::SmartPtr<tqk::BaseInstance> structureInstance = member.GetSbomInstance();
  unsigned itemId = 0;
  return structureInstance && items.GetItemIdForInstance(structureInstance, itemId) &&
         !items.GetItemized(itemId);
}

void AppendWeldMembers(Objects& objects, const tqk::illustration::SbomInstance& weld,
                       const du::SmartPtr<tqk::illustration::ItemsList>& items)
{
  std::set<du::SmartPtr<tqk::Instance>> first;
  std::set<du::SmartPtr<tqk::Instance>> second;
  weld.GetEbomInstancesForWeld(first, second);
  for (const du::SmartPtr<tqk::Instance>& member : first)
    if (member)
      AppendItem(objects, member);
  for (const du::SmartPtr<tqk::Instance>& member : second)
    if (member && (!items || IsUnitemizedItem(*items, *member)))
      AppendItem(objects, member);
}

} // namespace

std::vector<du::SmartPtr<tqk::Object>> Callout::GetAssociatedObjects() const
{
  ReadLockGuard lock(*this);
  Objects objects;
  if (m_kind == CALLOUT_NOTE)
    return objects;
  du::SmartPtr<tqk::illustration::ItemsList> items;
  if (const auto scene = du::SmartPtr<tqk::illustration::Illustration3dScene>::DynamicCast(m_scene))
    items = scene->GetItemsList();
  for (const du::SmartPtr<CalloutLeader>& leader : m_leaders) {
    if (!leader)
      continue;
    if (const du::SmartPtr<tqk::BaseInstance> assembly = leader->GetAssemblyInstance()) {
      if (const auto weld = du::SmartPtr<tqk::illustration::SbomInstance>::DynamicCast(assembly))
        AppendWeldMembers(objects, *weld, items);
    } else if (const du::SmartPtr<tqk::ShapeInstance> part = leader->GetShapeInstance()) {
      if (const du::SmartPtr<tqk::Instance> instance = part->GetInstance())
        AppendItem(objects, instance);
    }
  }
  return objects;
}

} // namespace tqannotations
