#pragma once

#include <du/RefCounted.h>

#include <string>

namespace tqk {

//! Base of the host's objects with identity, shared by counted reference.
class Object : public virtual du::RefCounted
{
public:
  //! A text that names the object to the user.
  virtual std::string GetObjectDescription() const;
};

} // namespace tqk
