#include "common/WriteLockGuard.h"

#include <tqannotations/CenterLinesAnnotation.h>
#include <tqannotations/MeasurementObserver.h>
#include <tqk/Scene.h>

namespace tqannotations {

bool CenterLinesAnnotation::AttachScene(const du::SmartPtr<tqk::Scene>& scene)
{
  WriteLockGuard lock(*this);
  if (scene == GetAttachedScene())
    return true;
  // The holder of the old scene leaves it before the line moves on.
  if (m_holder)
    RemoveMarkup();
  AssocAnnotation::AttachScene(scene);
  if (scene && m_measured)
    CreateMarkup();
  return true;
}

bool CenterLinesAnnotation::DetachScene()
{
  WriteLockGuard lock(*this);
  RemoveMarkup();
  // No scene stays alive through the representations of a detached line.
  for (const du::SmartPtr<CenterLinesRepresentation>& representation : m_representations)
    if (representation)
      representation->SetScene(nullptr);
  AssocAnnotation::DetachScene();
  return true;
}

void CenterLinesAnnotation::RemoveMarkup()
{
  WriteLockGuard lock(*this);
  if (m_holder)
  {
    const du::SmartPtr<CenterLinesMarkup> holder = m_holder;
    holder->SetController(nullptr);
    if (const du::SmartPtr<tqk::Scene> scene = GetAttachedScene())
      scene->RemoveMarkup(holder);
    for (const du::SmartPtr<CenterLinesRepresentation>& representation : m_representations)
      holder->RemoveChild(representation);
    m_holder.Reset();
  }
  Post(new MeasurementObserver::MeasurementValidEvent(false));
}

void CenterLinesAnnotation::HideAnnotation()
{
  WriteLockGuard lock(*this);
  for (const du::SmartPtr<CenterLinesRepresentation>& representation : m_representations)
    if (representation)
      representation->ShowMarkup(false);
}

} // namespace tqannotations
