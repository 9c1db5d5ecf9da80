#include <tqk/Object.h>
#include <tqk/ObjectWithRWLock.h>

namespace tqk {

std::string Object::GetObjectDescription() const { return std::string(); }

ObjectWithRWLock::ObjectWithRWLock(const ObjectWithRWLock& other)
  : du::RefCounted(other), Object(other),
    m_lockOwner(other.m_lockOwner ? new LockOwner : nullptr)
{
}

} // namespace tqk
