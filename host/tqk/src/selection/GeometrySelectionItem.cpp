#include <tqk/GeometrySelectionItem.h>
#include <tqk/Instance.h>

namespace tqk {

const du::Symbol GeometrySelectionItem::CLASS_TYPE("tqk::GeometrySelectionItem");

void GeometrySelectionItem::GetClassTypes(std::vector<du::Symbol>& types) const
{
  types.push_back(CLASS_TYPE);
  SelectionItem::GetClassTypes(types);
}

du::SmartPtr<Instance> GeometrySelectionItem::GetPickedInstance() const
{
  return du::SmartPtr<Instance>::DynamicCast(m_parent);
}

void GeometrySelectionItem::SetPickPoint(const dg::DPoint3D& worldPoint)
{
  m_pickPoint = worldPoint;
  m_hasPickPoint = true;
}

bool GeometrySelectionItem::GetPickPoint(dg::DPoint3D& point) const
{
  if (m_hasPickPoint)
    point = m_pickPoint;
  return m_hasPickPoint;
}

} // namespace tqk
