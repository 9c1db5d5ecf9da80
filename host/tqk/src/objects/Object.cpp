#include <tqk/Object.h>
#include <tqk/ObjectWithRWLock.h>

#include <algorithm>

namespace tqk {

const du::Symbol Object::CLASS_TYPE("tqk::Object");

Object& Object::operator=(const Object& other)
{
  m_name = other.m_name;
  return *this;
}

void Object::GetClassTypes(std::vector<du::Symbol>& types) const { types.push_back(CLASS_TYPE); }

bool Object::IsATypeOfId(const du::Symbol& classType) const
{
  std::vector<du::Symbol> types;
  GetClassTypes(types);
  return std::find(types.begin(), types.end(), classType) != types.end();
}

std::string Object::GetObjectDescription() const { return std::string(); }

Object::UserDataEntry* Object::FindUserData(const du::Symbol& key)
{
  const auto found = std::find_if(m_userData.begin(), m_userData.end(),
                                  [&](const UserDataEntry& entry) { return entry.key == key; });
  return found == m_userData.end() ? nullptr : &*found;
}

const Object::UserDataEntry* Object::FindUserData(const du::Symbol& key) const
{
  return const_cast<Object*>(this)->FindUserData(key);
}

void Object::AddUserData(const du::Symbol& key, void* data)
{
  RemoveUserData(key);
  m_userData.push_back(UserDataEntry{key, data, nullptr});
}

void* Object::GetUserData(const du::Symbol& key) const
{
  const UserDataEntry* entry = FindUserData(key);
  return entry ? entry->data : nullptr;
}

void Object::AddRefCountedUserData(const du::Symbol& key, const du::SmartPtr<du::RefCounted>& data)
{
  RemoveUserData(key);
  m_userData.push_back(UserDataEntry{key, nullptr, data});
}

du::SmartPtr<du::RefCounted> Object::GetRefCountedUserData(const du::Symbol& key) const
{
  const UserDataEntry* entry = FindUserData(key);
  return entry ? entry->counted : nullptr;
}

bool Object::RemoveUserData(const du::Symbol& key)
{
  const auto found = std::find_if(m_userData.begin(), m_userData.end(),
                                  [&](const UserDataEntry& entry) { return entry.key == key; });
  if (found == m_userData.end())
    return false;
  m_userData.erase(found);
  return true;
}

ObjectWithRWLock::ObjectWithRWLock(const ObjectWithRWLock& other)
    : du::RefCounted(other), Object(other), m_lockOwner(other.m_lockOwner ? new LockOwner : nullptr)
{}

} // namespace tqk
