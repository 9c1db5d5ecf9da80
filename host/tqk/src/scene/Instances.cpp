#include <tqk/BaseInstance.h>
#include <tqk/Instance.h>
#include <tqk/ShapeInstance.h>

#include <algorithm>

namespace tqk {

const du::Symbol BaseInstance::CLASS_TYPE("tqk::BaseInstance");
const du::Symbol Instance::CLASS_TYPE("tqk::Instance");
const du::Symbol ShapeInstance::CLASS_TYPE("tqk::ShapeInstance");

void BaseInstance::GetClassTypes(std::vector<du::Symbol>& types) const
{
  types.push_back(CLASS_TYPE);
  Object::GetClassTypes(types);
}

void Instance::GetClassTypes(std::vector<du::Symbol>& types) const
{
  types.push_back(CLASS_TYPE);
  BaseInstance::GetClassTypes(types);
}

void Instance::SetShapeSource(const du::SmartPtr<Shape>& shape, const dg::FBox& declaredBox)
{
  m_shape = shape;
  m_sourceBox = declaredBox;
}

bool Instance::Holds(const Instance* instance) const
{
  return instance == this ||
         std::any_of(m_children.begin(), m_children.end(),
                     [instance](const du::SmartPtr<Instance>& child) { return child->Holds(instance); });
}

bool Instance::AddChild(const du::SmartPtr<Instance>& child)
{
  // An instance below one of its own would hold itself: it would never be freed, and a walk
  // through it would never end.
  if (!child || child->Holds(this) ||
      std::find(m_children.begin(), m_children.end(), child) != m_children.end())
    return false;
  m_children.push_back(child);
  return true;
}

void Instance::Accept(InstanceVisitor& visitor) const { Accept(visitor, 0); }

void Instance::Accept(InstanceVisitor& visitor, unsigned depth) const
{
  if (!visitor.Visit(du::ConstSmartPtr<Instance>(this), depth))
    return;
  for (const du::SmartPtr<Instance>& child : m_children)
    child->Accept(visitor, depth + 1);
}

ShapeInstance::ShapeInstance(const du::SmartPtr<Instance>& instance, const du::SmartPtr<Shape>& shape,
                             const dg::Location& location)
    : m_instance(instance), m_shape(shape), m_location(location)
{}

bool ShapeInstance::GetInstance(du::SmartPtr<Instance>& out) const
{
  if (!m_instance)
    return false;
  out = m_instance;
  return true;
}

void ShapeInstance::GetClassTypes(std::vector<du::Symbol>& types) const
{
  types.push_back(CLASS_TYPE);
  Object::GetClassTypes(types);
}

} // namespace tqk
