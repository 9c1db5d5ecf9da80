#include <tqk/illustration/SbomInstance.h>

#include <algorithm>

namespace tqk {
namespace illustration {

const du::Symbol SbomInstance::CLASS_TYPE("tqk::illustration::SbomInstance");

SbomInstance::SbomInstance(const du::Symbol& idPath, const du::Symbol& name, const du::Symbol& ebomPathId)
    : BaseInstance(idPath), m_ebomPathId(ebomPathId)
{
  SetObjectName(name);
}

SbomInstance::~SbomInstance()
{
  SetEbomInstance(nullptr);
  for (const du::SmartPtr<SbomInstance>& child : m_children)
    child->m_parent = nullptr;
}

void SbomInstance::GetClassTypes(std::vector<du::Symbol>& types) const
{
  types.push_back(CLASS_TYPE);
  BaseInstance::GetClassTypes(types);
}

void SbomInstance::SetEbomInstance(const du::SmartPtr<Instance>& instance)
{
  // The engineering instance knows its node by a plain pointer, which the node clears when it
  // lets the instance go (also from its destructor, where no counted reference may be made).
  if (m_ebomInstance)
    m_ebomInstance->ForgetSbomInstance(this);
  m_ebomInstance = instance;
  if (m_ebomInstance)
    m_ebomInstance->SetSbomInstance(this);
}

du::Symbol SbomInstance::GetMissingEbomInstancePathId() const
{
  return m_ebomInstance ? du::Symbol::EMPTY : m_ebomPathId;
}

du::SmartPtr<SbomInstance> SbomInstance::GetTopWeld() const
{
  const SbomInstance* top = this;
  for (const SbomInstance* node = this; node; node = node->m_parent)
    if (node->m_weld)
      top = node;
  return du::SmartPtr<SbomInstance>(const_cast<SbomInstance*>(top));
}

void SbomInstance::CollectBelow(std::set<du::SmartPtr<Instance>>& into) const
{
  for (const du::SmartPtr<SbomInstance>& child : m_children) {
    if (child->m_ebomInstance)
      into.insert(child->m_ebomInstance);
    child->CollectBelow(into);
  }
}

void SbomInstance::GetEbomInstancesForWeld(std::set<du::SmartPtr<Instance>>& first,
                                           std::set<du::SmartPtr<Instance>>& second) const
{
  const du::SmartPtr<SbomInstance> top = GetTopWeld();
  if (top->m_ebomInstance)
    first.insert(top->m_ebomInstance);
  for (const du::SmartPtr<SbomInstance>& child : top->m_children) {
    if (child->m_ebomInstance)
      first.insert(child->m_ebomInstance);
    child->CollectBelow(second);
  }
}

bool SbomInstance::AddChild(const du::SmartPtr<SbomInstance>& child)
{
  if (!child || child->m_parent)
    return false;
  for (const SbomInstance* node = this; node; node = node->m_parent)
    if (node == child.Get())
      return false;
  child->m_parent = this;
  m_children.push_back(child);
  return true;
}

} // namespace illustration
} // namespace tqk
