#pragma once

#include <du/SmartPtr.h>

#include <vector>

namespace tqk {

class ShapeInstance;

//! Hears what happens to the parts of a tqk::ShapeScene: each change is reported once, after it
//! happened, with the parts it concerns. The base ignores every report.
class ShapeSceneListener
{
public:
  using ShapeInstances = std::vector<du::SmartPtr<ShapeInstance>>;

  virtual ~ShapeSceneListener() = default;

  virtual void OnShapeInstancesPositionModified(const ShapeInstances& moved);
  //! The parts were hidden or shown.
  virtual void OnShapeInstancesAppearanceModified(const ShapeInstances& changed);
  //! The parts left the scene; they are still alive during the call.
  virtual void OnShapeInstancesRemove(const ShapeInstances& removed);
  virtual void OnShapeInstancesCreate(const ShapeInstances& created);
};

} // namespace tqk
