#pragma once

#include <du/ConstSmartPtr.h>

namespace tqk {

class Instance;

//! Visits an instance and the instances below it; see tqk::Instance::Accept.
class InstanceVisitor
{
public:
  virtual ~InstanceVisitor() = default;

  //! Called for each instance with its depth below the one the walk started at (0 for that
  //! one). Returning false passes over the instances below this one.
  virtual bool Visit(const du::ConstSmartPtr<Instance>& instance, unsigned depth) = 0;
};

} // namespace tqk
