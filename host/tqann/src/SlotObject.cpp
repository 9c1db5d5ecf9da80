#include <tqannotations/SlotObject.h>
#include <tqg/Edge.h>
#include <tqg/Face.h>
#include <tqg/Shape.h>
#include <tqk/GeometrySelectionItem.h>
#include <tqk/Instance.h>
#include <tqk/Shape.h>
#include <tqk/ShapeInstance.h>
#include <tqk/ShapeScene.h>

#include <algorithm>

namespace tqannotations {

SlotObject::SlotObject() : m_valid(false) {}

SlotObject::SlotObject(const du::SmartPtr<tqk::SelectionItem>& item)
    : m_item(item), m_valid(static_cast<bool>(item))
{}

SlotObject::SlotObject(const SlotObject& other)
    : du::RefCounted(other), m_item(other.m_item), m_valid(other.m_valid),
      m_shapeInstance(other.m_shapeInstance), m_constraints(other.m_constraints),
      m_constraint(other.m_constraint)
{}

SlotObject::~SlotObject() = default;

void SlotObject::Bind(const du::SmartPtr<tqk::ShapeScene>& scene)
{
  m_shapeInstance.Reset();
  if (!scene || !m_item)
    return;
  if (const du::SmartPtr<tqk::Instance> instance = m_item->GetPickedInstance())
    m_shapeInstance = scene->GetShapeInstance(instance);
}

void SlotObject::AddConstraint(tqmu::ConstructionConstraint::Type type)
{
  if (std::find(m_constraints.begin(), m_constraints.end(), type) == m_constraints.end())
    m_constraints.push_back(type);
}

bool SlotObject::SetConstraint(tqmu::ConstructionConstraint::Type type)
{
  if (std::find(m_constraints.begin(), m_constraints.end(), type) == m_constraints.end())
    return false;
  m_constraint = type;
  return true;
}

du::SmartPtr<tqg::Shape> SlotObject::GetShapeData() const
{
  if (!m_shapeInstance || !m_shapeInstance->GetShape())
    return nullptr;
  return m_shapeInstance->GetShape()->GetShapeData();
}

const dg::DMat44& SlotObject::GetMatrix() const
{
  m_matrix = m_shapeInstance ? m_shapeInstance->GetLocation().GetXform() : dg::DMat44::IDENTITY;
  return m_matrix;
}

du::SmartPtr<tqg::Face> SlotObject::GetFaceData(const dg::DBox&) const
{
  const auto item = du::SmartPtr<tqk::GeometrySelectionItem>::DynamicCast(m_item);
  return item ? du::SmartPtr<tqg::Face>::DynamicCast(item->GetGeometry()) : nullptr;
}

du::SmartPtr<tqg::Edge> SlotObject::GetEdgeData(const dg::DBox&) const
{
  const auto item = du::SmartPtr<tqk::GeometrySelectionItem>::DynamicCast(m_item);
  return item ? du::SmartPtr<tqg::Edge>::DynamicCast(item->GetGeometry()) : nullptr;
}

bool SlotObject::GetPoint(dg::DPoint3D& point) const
{
  const auto item = du::SmartPtr<tqk::GeometrySelectionItem>::DynamicCast(m_item);
  return item && item->GetPickPoint(point);
}

} // namespace tqannotations
