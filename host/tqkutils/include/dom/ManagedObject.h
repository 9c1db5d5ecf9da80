#pragma once

#include <du/RefCounted.h>
#include <du/Symbol.h>

namespace dom {

//! Base of the objects that the host's kernel can keep alive and hand messages to.
//!
//! Shared through du::SmartPtr; du::RefCounted is a virtual base so that a managed object can also
//! be a host object of another family.
class ManagedObject : public virtual du::RefCounted
{
public:
  //! The symbol that names the object's class to the kernel; derived classes name themselves.
  virtual du::Symbol GetObjectClass() const;
};

} // namespace dom
