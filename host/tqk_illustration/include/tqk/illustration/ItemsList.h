#pragma once

#include <du/RefCounted.h>
#include <du/SmartPtr.h>
#include <tqk/BaseInstance.h>

#include <map>
#include <mutex>

namespace tqk {
namespace illustration {

//! The illustration's list of items: the numbered entries of its parts list, each standing for a
//! structure-tree instance. An itemized item is one that has its own callout number in the list;
//! the others are listed only as part of the assembly above them.
class ItemsList : public du::RefCounted
{
public:
  //! Lists the instance as the item; false for a null instance or one listed already.
  bool AddItem(const du::SmartPtr<BaseInstance>& instance, unsigned itemId, bool itemized);
  //! The item that lists the instance into itemId; false, itemId untouched, when none does.
  bool GetItemIdForInstance(const du::SmartPtr<BaseInstance>& instance, unsigned& itemId) const;
  //! Whether the item is itemized; false for an unknown item.
  bool GetItemized(unsigned itemId) const;
  //! False for an unknown item.
  bool SetItemized(unsigned itemId, bool itemized);

private:
  mutable std::mutex m_mutex;
  std::map<du::SmartPtr<BaseInstance>, unsigned> m_itemByInstance;
  std::map<unsigned, bool> m_itemized;
};

} // namespace illustration
} // namespace tqk
