#pragma once

#include <du/SmartPtr.h>
#include <tqk/ShapeScene.h>
#include <tqk/illustration/ItemsList.h>

namespace tqk {
namespace illustration {

//! The shape scene of an illustration, with the illustration's items list.
class Illustration3dScene : public ShapeScene
{
public:
  //! The items list; null when the illustration has none.
  du::SmartPtr<ItemsList> GetItemsList() const;
  void SetItemsList(const du::SmartPtr<ItemsList>& items);

  //! Also lets the items list go.
  void Close() override;

private:
  mutable std::mutex m_itemsMutex;
  du::SmartPtr<ItemsList> m_items;
};

} // namespace illustration
} // namespace tqk
