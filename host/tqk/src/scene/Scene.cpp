#include <tqk/AnnoSet.h>
#include <tqk/Annotation.h>
#include <tqk/Markup.h>
#include <tqk/Scene.h>
#include <tqk/SceneAnnotationListVisitor.h>
#include <tqk/View.h>

#include <algorithm>

namespace tqk {

Scene::Scene() = default;

Scene::~Scene() { ReleaseViews(); }

bool Scene::AddMarkup(const du::SmartPtr<Markup>& markup) { return InsertMarkup(markup); }

bool Scene::AddView(const du::SmartPtr<View>& view)
{
  if (!view)
    return false;
  std::lock_guard<std::mutex> lock(m_mutex);
  if (view->m_scene)
    return false;
  view->m_scene = this;
  m_views.push_back(view);
  return true;
}

bool Scene::RemoveView(const du::SmartPtr<View>& view)
{
  du::SmartPtr<View> removed; // released after the mutex
  std::lock_guard<std::mutex> lock(m_mutex);
  const auto found = std::find(m_views.begin(), m_views.end(), view);
  if (found == m_views.end())
    return false;
  removed = *found;
  removed->m_scene = nullptr;
  m_views.erase(found);
  return true;
}

du::SmartPtr<View> Scene::GetView(unsigned index) const
{
  std::lock_guard<std::mutex> lock(m_mutex);
  return index < m_views.size() ? m_views[index] : nullptr;
}

unsigned Scene::GetViewCount() const
{
  std::lock_guard<std::mutex> lock(m_mutex);
  return static_cast<unsigned>(m_views.size());
}

du::SmartPtr<AnnoSet> Scene::GetAnnoSet() const
{
  std::lock_guard<std::mutex> lock(m_mutex);
  return m_annoSet;
}

void Scene::SetAnnoSet(const du::SmartPtr<AnnoSet>& annoSet)
{
  du::SmartPtr<AnnoSet> previous = annoSet; // released after the mutex
  std::lock_guard<std::mutex> lock(m_mutex);
  m_annoSet.Swap(previous);
}

void Scene::Accept(SceneAnnotationListVisitor& visitor)
{
  const du::SmartPtr<AnnoSet> annoSet = GetAnnoSet();
  if (!annoSet)
    return;
  for (du::SmartPtr<Annotation> annotation : annoSet->GetAnnotations())
    visitor.Visit(annotation);
}

void Scene::Close()
{
  if (const du::SmartPtr<AnnoSet> annoSet = GetAnnoSet())
    for (const du::SmartPtr<Annotation>& annotation : annoSet->GetAnnotations())
      if (annotation->GetAttachedScene().Get() == this)
        annotation->DetachScene();
  RemoveAllMarkups();
  ReleaseViews();
}

void Scene::ReleaseViews()
{
  std::vector<du::SmartPtr<View>> views;
  {
    std::lock_guard<std::mutex> lock(m_mutex);
    views.swap(m_views);
  }
  // A view that something else still holds must not point at a scene that is gone.
  for (const du::SmartPtr<View>& view : views)
    view->m_scene = nullptr;
}

} // namespace tqk
