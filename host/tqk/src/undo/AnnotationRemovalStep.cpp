#include "AnnotationRemovalStep.h"

#include <tqk/AnnoSet.h>
#include <tqk/Annotation.h>
#include <tqk/Scene.h>

namespace tqk {

AnnotationRemovalStep::AnnotationRemovalStep(const du::SmartPtr<AnnoSet>& annoSet,
                                             const du::SmartPtr<Annotation>& annotation,
                                             const du::SmartPtr<Scene>& scene)
    : m_annoSet(annoSet), m_annotation(annotation), m_scene(scene)
{}

AnnotationRemovalStep::~AnnotationRemovalStep() = default;

void AnnotationRemovalStep::Undo()
{
  if (m_annoSet->AddAnnotation(m_annotation) && m_scene)
    m_annotation->AttachScene(m_scene);
}

void AnnotationRemovalStep::Redo() { m_annoSet->RemoveAnnotationFromSet(m_annotation, nullptr); }

} // namespace tqk
