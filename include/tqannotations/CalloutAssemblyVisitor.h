#pragma once

#include <du/ConstSmartPtr.h>
#include <du/SmartPtr.h>
#include <tqannotations/Export.h>
#include <tqk/InstanceVisitor.h>
#include <tqk/ShapeInstance.h>
#include <tqk/ShapeScene.h>

#include <vector>

namespace tqannotations {

//! Collects the parts of an assembly that the scene shows and that have geometry with a box,
//! in visiting order. Run it over the assembly's instances (tqk::Instance::Accept).
class TQANNOTATIONS_EXPORT CalloutAssemblyVisitor : public tqk::InstanceVisitor
{
public:
  //! Always goes on into the instances below.
  bool Visit(const du::ConstSmartPtr<tqk::Instance>& instance, unsigned depth) override;

  std::vector<du::SmartPtr<tqk::ShapeInstance>> foundParts;
  //! Where the parts are looked up; without a scene nothing is collected.
  du::SmartPtr<tqk::ShapeScene> scene;
};

} // namespace tqannotations
