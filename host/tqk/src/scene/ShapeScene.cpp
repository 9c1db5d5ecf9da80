#include <tqk/ShapeScene.h>

#include <algorithm>
#include <iterator>

namespace tqk {

void ShapeSceneListener::OnShapeInstancesPositionModified(const ShapeInstances&) {}
void ShapeSceneListener::OnShapeInstancesAppearanceModified(const ShapeInstances&) {}
void ShapeSceneListener::OnShapeInstancesRemove(const ShapeInstances&) {}
void ShapeSceneListener::OnShapeInstancesCreate(const ShapeInstances&) {}

ShapeScene::ShapeScene() = default;

ShapeScene::~ShapeScene() = default;

du::SmartPtr<ShapeInstance> ShapeScene::CreateShapeInstance(const du::SmartPtr<Instance>& instance,
                                                            const du::SmartPtr<Shape>& shape,
                                                            const dg::Location& location)
{
  if (!instance)
    return nullptr;
  du::SmartPtr<ShapeInstance> part;
  {
    std::lock_guard<std::mutex> lock(m_partsMutex);
    const bool shown =
        std::any_of(m_parts.begin(), m_parts.end(), [&](const auto& p) { return p->m_instance == instance; });
    if (shown)
      return nullptr;
    part = new ShapeInstance(instance, shape, location);
    m_parts.push_back(part);
  }
  Tell(&ShapeSceneListener::OnShapeInstancesCreate, {part});
  return part;
}

bool ShapeScene::RemoveShapeInstance(const du::SmartPtr<ShapeInstance>& part)
{
  {
    std::lock_guard<std::mutex> lock(m_partsMutex);
    const auto found = std::find(m_parts.begin(), m_parts.end(), part);
    if (found == m_parts.end())
      return false;
    m_parts.erase(found);
  }
  Tell(&ShapeSceneListener::OnShapeInstancesRemove, {part});
  return true;
}

bool ShapeScene::SetShapeInstanceLocation(const du::SmartPtr<ShapeInstance>& part,
                                          const dg::Location& location)
{
  {
    std::lock_guard<std::mutex> lock(m_partsMutex);
    if (std::find(m_parts.begin(), m_parts.end(), part) == m_parts.end())
      return false;
    part->m_location = location;
  }
  Tell(&ShapeSceneListener::OnShapeInstancesPositionModified, {part});
  return true;
}

void ShapeScene::SetVisibility(const std::set<du::SmartPtr<Instance>>& instances, bool visible, bool notify)
{
  ShapeSceneListener::ShapeInstances changed;
  {
    std::lock_guard<std::mutex> lock(m_partsMutex);
    for (const du::SmartPtr<ShapeInstance>& part : m_parts)
      if (part->m_visible != visible && instances.count(part->m_instance)) {
        part->m_visible = visible;
        changed.push_back(part);
      }
  }
  // Reporting only real changes lets a listener answer a report by showing the parts again.
  if (notify && !changed.empty())
    Tell(&ShapeSceneListener::OnShapeInstancesAppearanceModified, changed);
}

bool ShapeScene::GetShapeInstance(const du::ConstSmartPtr<Instance>& instance,
                                  du::SmartPtr<ShapeInstance>& out) const
{
  out = GetShapeInstance(instance);
  return static_cast<bool>(out);
}

du::SmartPtr<ShapeInstance> ShapeScene::GetShapeInstance(const du::ConstSmartPtr<Instance>& instance) const
{
  if (!instance)
    return nullptr;
  std::lock_guard<std::mutex> lock(m_partsMutex);
  for (const du::SmartPtr<ShapeInstance>& part : m_parts)
    if (part->m_instance.Get() == instance.Get())
      return part;
  return nullptr;
}

std::vector<du::SmartPtr<ShapeInstance>> ShapeScene::GetShapeInstances() const
{
  std::lock_guard<std::mutex> lock(m_partsMutex);
  return m_parts;
}

bool ShapeScene::AddListener(ShapeSceneListener* listener)
{
  std::lock_guard<std::mutex> lock(m_partsMutex);
  if (!listener || m_listenerIndex.count(listener))
    return false;
  m_listeners.push_back({listener, m_nextSerial++});
  m_listenerIndex.emplace(listener, std::prev(m_listeners.end()));
  return true;
}

bool ShapeScene::RemoveListener(ShapeSceneListener* listener)
{
  std::lock_guard<std::mutex> lock(m_partsMutex);
  const auto found = m_listenerIndex.find(listener);
  if (found == m_listenerIndex.end())
    return false;
  m_listeners.erase(found->second);
  m_listenerIndex.erase(found);
  return true;
}

bool ShapeScene::IsRegistered(const Registration& registration) const
{
  const auto found = m_listenerIndex.find(registration.listener);
  return found != m_listenerIndex.end() && found->second->serial == registration.serial;
}

void ShapeScene::Tell(Report report, const ShapeSceneListener::ShapeInstances& parts) const
{
  // The listeners of the moment the report starts; those added meanwhile wait for the next one.
  std::vector<Registration> registrations;
  {
    std::lock_guard<std::mutex> lock(m_partsMutex);
    registrations.assign(m_listeners.begin(), m_listeners.end());
  }
  for (const Registration& registration : registrations) {
    // A listener removed by an earlier one during this report may be gone already.
    {
      std::lock_guard<std::mutex> lock(m_partsMutex);
      if (!IsRegistered(registration))
        continue;
    }
    (registration.listener->*report)(parts);
  }
}

void ShapeScene::Close()
{
  Scene::Close();
  std::vector<du::SmartPtr<ShapeInstance>> parts; // released after the mutex
  std::lock_guard<std::mutex> lock(m_partsMutex);
  parts.swap(m_parts);
  m_listeners.clear();
  m_listenerIndex.clear();
}

} // namespace tqk
