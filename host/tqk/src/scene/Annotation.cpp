#include <tqk/AnnoSet.h>
#include <tqk/Annotation.h>
#include <tqk/AnnotationSerializedContentVisitor.h>
#include <tqk/LockOwner.h>
#include <tqk/Scene.h>
#include <tqk/SerializedContentElement.h>
#include <tqk/View.h>

#include <algorithm>

namespace tqk {

const du::Symbol Annotation::CLASS_TYPE("tqk::Annotation");
const du::Symbol Annotation::ID_KEY("id");

Annotation::Annotation(AnnotationType type) : m_type(type) { SetLockOwner(new LockOwner); }

Annotation::Annotation(const Annotation& other)
    : du::RefCounted(other), MarkupController(other), Observable(other), MemoryPoolAllocated(),
      m_type(other.m_type), m_class(other.m_class), m_preselectionCursor(other.m_preselectionCursor),
      m_visible(other.m_visible.load())
{}

Annotation::~Annotation() = default;

void Annotation::GetClassTypes(std::vector<du::Symbol>& types) const
{
  types.push_back(CLASS_TYPE);
  Observable::GetClassTypes(types);
}

void Annotation::Show(bool notifySet)
{
  if (m_visible.exchange(true))
    return;
  ShowAnnotation();
  if (notifySet)
    if (const du::SmartPtr<AnnoSet> annoSet = GetAnnoSet())
      annoSet->AnnotationModified(this, true);
}

void Annotation::Hide(bool notifySet)
{
  if (!m_visible.exchange(false))
    return;
  HideAnnotation();
  if (notifySet)
    if (const du::SmartPtr<AnnoSet> annoSet = GetAnnoSet())
      annoSet->AnnotationModified(this, true);
}

du::SmartPtr<Scene> Annotation::GetAttachedScene() const
{
  std::lock_guard<std::mutex> lock(m_linksMutex);
  return m_scene;
}

du::SmartPtr<AnnoSet> Annotation::GetAnnoSet() const
{
  std::lock_guard<std::mutex> lock(m_linksMutex);
  return m_annoSet;
}

void Annotation::ConnectAnnotation(int connectionId) { m_connectionId = connectionId; }

std::vector<du::SmartPtr<View>> Annotation::GetViews() const
{
  std::lock_guard<std::mutex> lock(m_linksMutex);
  return m_views;
}

du::SmartPtr<Annotation> Annotation::Clone() const { return nullptr; }

void Annotation::SetAttachedScene(const du::SmartPtr<Scene>& scene)
{
  du::SmartPtr<Scene> previous = scene; // the old scene is released after the mutex
  std::lock_guard<std::mutex> lock(m_linksMutex);
  m_scene.Swap(previous);
}

bool Annotation::AttachScene(const du::SmartPtr<Scene>& scene)
{
  SetAttachedScene(scene);
  return true;
}

void Annotation::FixReferences(SerializedContentElement*, const du::HashMap<du::Symbol, du::Symbol>&) {}

bool Annotation::InitializeFromSerializedContent(const SerializedContentElement* element)
{
  if (!element)
    return false;
  SerializedContentVisitor reader(*this);
  element->Visit(reader);
  SetCreatedFromFile(true);
  return true;
}

bool Annotation::DetachScene()
{
  SetAttachedScene(nullptr);
  return true;
}

bool Annotation::IsEqual(const du::SmartPtr<Annotation>& other) const { return other.Get() == this; }

std::vector<du::SmartPtr<Object>> Annotation::GetAssociatedObjects() const { return {}; }

void Annotation::Visit(SerializedContentElement& element) const { element.AddProperty(ID_KEY, m_id); }

void Annotation::HideAnnotation() {}

void Annotation::ShowAnnotation() {}

void Annotation::OnSetSelected(bool, const du::SmartPtr<View>&) {}

int Annotation::GetPageNum() const { return 0; }

bool Annotation::AddView(const du::SmartPtr<View>& view)
{
  if (!view)
    return false;
  std::lock_guard<std::mutex> lock(m_linksMutex);
  if (std::find(m_views.begin(), m_views.end(), view) != m_views.end())
    return false;
  m_views.push_back(view);
  return true;
}

bool Annotation::RemoveView(const du::SmartPtr<View>& view)
{
  du::SmartPtr<View> removed; // released after the mutex
  std::lock_guard<std::mutex> lock(m_linksMutex);
  const auto found = std::find(m_views.begin(), m_views.end(), view);
  if (found == m_views.end())
    return false;
  removed = *found;
  m_views.erase(found);
  return true;
}

void Annotation::HighlightAssociatedObjects(const du::SmartPtr<Scene>&) { m_highlighted = true; }

void Annotation::UnHighlightAssociatedObjects(const du::SmartPtr<Scene>&) { m_highlighted = false; }

void Annotation::SerializedContentVisitor::Visit(const du::Symbol& key, std::uint64_t value)
{
  if (key == ID_KEY)
    m_annotation.SetId(value);
}

} // namespace tqk
