#pragma once

#include <du/RefCounted.h>
#include <du/SmartPtr.h>

#include <string>

namespace tqannotations {

//! Makes the annotations that the host asks for by verb, kind and subtype.
class ComponentFactory
{
public:
  //! See TQDllCreateComponent.
  static bool Create(const std::string& verb, const std::string& kind, const std::string& subtype,
                     du::SmartPtr<du::RefCounted>& out);
};

} // namespace tqannotations
