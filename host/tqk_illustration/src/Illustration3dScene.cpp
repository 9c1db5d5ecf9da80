#include <tqk/illustration/Illustration3dScene.h>

namespace tqk {
namespace illustration {

du::SmartPtr<ItemsList> Illustration3dScene::GetItemsList() const
{
  std::lock_guard<std::mutex> lock(m_itemsMutex);
  return m_items;
}

void Illustration3dScene::SetItemsList(const du::SmartPtr<ItemsList>& items)
{
  du::SmartPtr<ItemsList> previous = items; // released after the mutex
  std::lock_guard<std::mutex> lock(m_itemsMutex);
  m_items.Swap(previous);
}

void Illustration3dScene::Close()
{
  ShapeScene::Close();
  SetItemsList(nullptr);
}

} // namespace illustration
} // namespace tqk
