#include <dom/ManagedObject.h>

#include <algorithm>

namespace dom {

du::Symbol ManagedObject::GetObjectClass() const
{
  static const du::Symbol className("dom::ManagedObject");
  return className;
}

bool ManagedObject::ManageObject(const du::SmartPtr<ManagedObject>& object)
{
  if (!object || object.Get() == this)
    return false;
  std::lock_guard<std::mutex> lock(m_managedMutex);
  if (std::find(m_managed.begin(), m_managed.end(), object) != m_managed.end())
    return false;
  m_managed.push_back(object);
  return true;
}

bool ManagedObject::ReleaseManagedObject(const du::SmartPtr<ManagedObject>& object)
{
  du::SmartPtr<ManagedObject> released; // let go after the mutex: its destruction may reach back
  std::lock_guard<std::mutex> lock(m_managedMutex);
  const auto found = std::find(m_managed.begin(), m_managed.end(), object);
  if (found == m_managed.end())
    return false;
  released = *found;
  m_managed.erase(found);
  return true;
}

std::size_t ManagedObject::GetManagedObjectCount() const
{
  std::lock_guard<std::mutex> lock(m_managedMutex);
  return m_managed.size();
}

} // namespace dom
