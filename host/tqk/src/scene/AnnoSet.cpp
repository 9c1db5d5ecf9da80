#include "../undo/AnnotationRemovalStep.h"

#include <tqk/AnnoSet.h>
#include <tqk/Annotation.h>
#include <tqk/Operation.h>
#include <tqk/Scene.h>

#include <algorithm>

namespace tqk {

AnnoSet::~AnnoSet()
{
  for (const du::SmartPtr<Annotation>& annotation : m_annotations) {
    std::lock_guard<std::mutex> lock(annotation->m_linksMutex);
    annotation->m_annoSet = nullptr;
  }
  for (const du::SmartPtr<Annotation>& annotation : m_annotations)
    annotation->ConnectAnnotation(-1);
}

bool AnnoSet::AddAnnotation(const du::SmartPtr<Annotation>& annotation)
{
  if (!annotation)
    return false;
  int connectionId = 0;
  {
    std::lock_guard<std::mutex> setLock(m_mutex);
    std::lock_guard<std::mutex> annotationLock(annotation->m_linksMutex);
    if (annotation->m_annoSet)
      return false;
    annotation->m_annoSet = this;
    m_annotations.push_back(annotation);
    connectionId = m_nextConnectionId++;
  }
  annotation->ConnectAnnotation(connectionId);
  return true;
}

bool AnnoSet::RemoveAnnotationFromSet(const du::SmartPtr<Annotation>& annotation,
                                      const du::SmartPtr<Operation>& operation)
{
  {
    std::lock_guard<std::mutex> lock(m_mutex);
    const auto found = std::find(m_annotations.begin(), m_annotations.end(), annotation);
    if (found == m_annotations.end())
      return false;
    m_annotations.erase(found);
    std::lock_guard<std::mutex> annotationLock(annotation->m_linksMutex);
    annotation->m_annoSet = nullptr;
  }
  // The caller's reference keeps the annotation alive through its own callbacks below.
  annotation->ConnectAnnotation(-1);
  const du::SmartPtr<Scene> scene = annotation->GetAttachedScene();
  if (scene)
    annotation->DetachScene();
  if (operation)
    operation->AddStep(new AnnotationRemovalStep(this, annotation, scene));
  return true;
}

bool AnnoSet::Contains(const du::SmartPtr<Annotation>& annotation) const
{
  std::lock_guard<std::mutex> lock(m_mutex);
  return std::find(m_annotations.begin(), m_annotations.end(), annotation) != m_annotations.end();
}

std::vector<du::SmartPtr<Annotation>> AnnoSet::GetAnnotations() const
{
  std::lock_guard<std::mutex> lock(m_mutex);
  return m_annotations;
}

void AnnoSet::AnnotationModified(const du::SmartPtr<Annotation>&, bool documentChanged)
{
  std::lock_guard<std::mutex> lock(m_mutex);
  ++m_modificationCount;
  m_modified = m_modified || documentChanged;
}

std::size_t AnnoSet::GetModificationCount() const
{
  std::lock_guard<std::mutex> lock(m_mutex);
  return m_modificationCount;
}

bool AnnoSet::IsModified() const
{
  std::lock_guard<std::mutex> lock(m_mutex);
  return m_modified;
}

void AnnoSet::MarkSaved()
{
  std::lock_guard<std::mutex> lock(m_mutex);
  m_modified = false;
}

} // namespace tqk
