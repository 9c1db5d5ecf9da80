#pragma once

#include <du/SmartPtr.h>
#include <tqk/OperationStep.h>

namespace tqk {

class AnnoSet;
class Annotation;
class Scene;

//! Undoes taking an annotation out of its set: puts it back and attaches it to the scene it left.
class AnnotationRemovalStep : public OperationStep
{
public:
  AnnotationRemovalStep(const du::SmartPtr<AnnoSet>& annoSet, const du::SmartPtr<Annotation>& annotation,
                        const du::SmartPtr<Scene>& scene);
  ~AnnotationRemovalStep() override;

  void Undo() override;
  void Redo() override;

private:
  du::SmartPtr<AnnoSet> m_annoSet;
  du::SmartPtr<Annotation> m_annotation;
  du::SmartPtr<Scene> m_scene;
};

} // namespace tqk
