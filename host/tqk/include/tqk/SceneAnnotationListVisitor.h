#pragma once

#include <du/SmartPtr.h>

namespace tqk {

class Annotation;

//! Visits the annotations of a scene (tqk::Scene::Accept), one call per annotation.
class SceneAnnotationListVisitor
{
public:
  virtual ~SceneAnnotationListVisitor() = default;
  virtual void Visit(du::SmartPtr<Annotation>& annotation) = 0;
};

} // namespace tqk
