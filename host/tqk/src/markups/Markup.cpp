#include "ControllerLinks.h"

#include <tqk/LockOwner.h>
#include <tqk/Markup.h>
#include <tqk/MarkupController.h>
#include <tqk/View.h>

#include <algorithm>
#include <atomic>

namespace tqk {

const du::Symbol Markup::CLASS_TYPE("tqk::Markup");

namespace {

std::uint64_t ViewKey(const du::SmartPtr<View>& view) { return view ? view->GetViewId() : 0; }

} // namespace

Markup::Markup() : ObjectWithRWLock(new LockOwner) {}

Markup::~Markup() { SetController(nullptr); }

void Markup::GetClassTypes(std::vector<du::Symbol>& types) const
{
  types.push_back(CLASS_TYPE);
  ObjectWithRWLock::GetClassTypes(types);
}

void Markup::SetController(MarkupController* controller)
{
  std::lock_guard<std::mutex> lock(ControllerLinkMutex());
  if (controller == m_controller)
    return;
  if (m_controller)
    m_controller->m_controlledMarkups.erase(this);
  m_controller = controller;
  if (!m_controller)
    return;
  m_controller->m_controlledMarkups.insert(this);
  // Kept when the controller lets go: a markup taken out of its scene is let go under the
  // controller's lock, and a draw that still holds the markup must wait for that.
  if (const auto* locked = dynamic_cast<const ObjectWithRWLock*>(m_controller))
    if (LockOwner* owner = locked->GetLockOwner())
      m_controllerLock = owner;
}

MarkupController* Markup::GetController() const
{
  std::lock_guard<std::mutex> lock(ControllerLinkMutex());
  return m_controller;
}

du::SmartPtr<LockOwner> Markup::GetControllerLock() const
{
  std::lock_guard<std::mutex> lock(ControllerLinkMutex());
  return m_controllerLock;
}

void Markup::SetSelected(bool selected, const du::SmartPtr<View>& view)
{
  const std::uint64_t key = ViewKey(view);
  const auto found = std::find(m_selectedInViews.begin(), m_selectedInViews.end(), key);
  if (selected && found == m_selectedInViews.end())
    m_selectedInViews.push_back(key);
  else if (!selected && found != m_selectedInViews.end())
    m_selectedInViews.erase(found);
}

bool Markup::IsSelected(const du::SmartPtr<View>& view) const
{
  return std::find(m_selectedInViews.begin(), m_selectedInViews.end(), ViewKey(view)) !=
         m_selectedInViews.end();
}

void Markup::SetContent(const du::SmartPtr<du::RefCounted>& content, bool notify)
{
  m_content = content;
  if (notify)
    NotifyContentChanged();
}

bool Markup::Contains(const Markup* markup) const
{
  if (markup == this)
    return true;
  return std::any_of(m_children.begin(), m_children.end(),
                     [&](const du::SmartPtr<Markup>& child) { return child->Contains(markup); });
}

bool Markup::AddChild(const du::SmartPtr<Markup>& child)
{
  // A markup that held one of its ancestors would keep itself alive forever.
  if (!child || child->Contains(this))
    return false;
  if (std::find(m_children.begin(), m_children.end(), child) != m_children.end())
    return false;
  m_children.push_back(child);
  return true;
}

bool Markup::RemoveChild(const du::SmartPtr<Markup>& child)
{
  const auto found = std::find(m_children.begin(), m_children.end(), child);
  if (found == m_children.end())
    return false;
  m_children.erase(found);
  return true;
}

void Markup::MoveToFront()
{
  static std::atomic<std::uint64_t> lastStamp{0};
  m_frontStamp = ++lastStamp;
}

Markup* Markup::ConstructShadow(const du::SmartPtr<View>&) { return nullptr; }

bool Markup::BeginShadowDrag(const du::SmartPtr<View>& view)
{
  if (m_shadow)
    return false;
  m_shadow = ConstructShadow(view);
  return static_cast<bool>(m_shadow);
}

} // namespace tqk
