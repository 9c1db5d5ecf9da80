#include <tqk/illustration/ItemsList.h>

namespace tqk {
namespace illustration {

bool ItemsList::AddItem(const du::SmartPtr<BaseInstance>& instance, unsigned itemId, bool itemized)
{
  std::lock_guard<std::mutex> lock(m_mutex);
  if (!instance || !m_itemByInstance.emplace(instance, itemId).second)
    return false;
  // Several instances may share one item; the flag is the item's, so the latest word holds.
  m_itemized[itemId] = itemized;
  return true;
}

bool ItemsList::GetItemIdForInstance(const du::SmartPtr<BaseInstance>& instance, unsigned& itemId) const
{
  std::lock_guard<std::mutex> lock(m_mutex);
  const auto found = m_itemByInstance.find(instance);
  if (found == m_itemByInstance.end())
    return false;
  itemId = found->second;
  return true;
}

bool ItemsList::GetItemized(unsigned itemId) const
{
  std::lock_guard<std::mutex> lock(m_mutex);
  const auto found = m_itemized.find(itemId);
  return found != m_itemized.end() && found->second;
}

bool ItemsList::SetItemized(unsigned itemId, bool itemized)
{
  std::lock_guard<std::mutex> lock(m_mutex);
  const auto found = m_itemized.find(itemId);
  if (found == m_itemized.end())
    return false;
  found->second = itemized;
  return true;
}

} // namespace illustration
} // namespace tqk
