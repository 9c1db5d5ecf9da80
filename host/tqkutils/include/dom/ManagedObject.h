#pragma once

#include <du/RefCounted.h>
#include <du/SmartPtr.h>
#include <du/Symbol.h>

#include <cstddef>
#include <mutex>
#include <vector>

namespace dom {

//! Base of the objects that the host's kernel can keep alive and hand messages to.
//!
//! Shared through du::SmartPtr; du::RefCounted is a virtual base so that a managed object can also
//! be a host object of another family.
class ManagedObject : public virtual du::RefCounted
{
public:
  ManagedObject() = default;
  //! A copy manages nothing: what an object keeps alive is its own business.
  ManagedObject(const ManagedObject& other) : du::RefCounted(other) {}
  ManagedObject& operator=(const ManagedObject&) { return *this; }

  //! The symbol that names the object's class to the kernel; derived classes name themselves.
  virtual du::Symbol GetObjectClass() const;

  //! Keeps the object alive (counted) until ReleaseManagedObject lets it go; false for null, for
  //! this object and for one managed already.
  bool ManageObject(const du::SmartPtr<ManagedObject>& object);
  //! False when the object is not managed here.
  bool ReleaseManagedObject(const du::SmartPtr<ManagedObject>& object);
  std::size_t GetManagedObjectCount() const;

private:
  mutable std::mutex m_managedMutex;
  std::vector<du::SmartPtr<ManagedObject>> m_managed;
};

} // namespace dom
