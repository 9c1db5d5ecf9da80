#include <tqk/Markup.h>
#include <tqk/MarkupHolder.h>

namespace tqk {

MarkupHolder::~MarkupHolder() = default;

void MarkupHolder::LetGo(Markup& markup)
{
  markup.SetController(nullptr);
  // The shadow of a drag in progress refers back to its markup: a markup that leaves its holder
  // in the middle of a drag would otherwise keep its shadow, and be kept by it, for ever.
  markup.EndShadowDrag();
  markup.OnRemovedFromHolder();
}

bool MarkupHolder::InsertMarkup(const du::SmartPtr<Markup>& markup)
{
  if (!markup)
    return false;
  std::lock_guard<std::mutex> lock(m_mutex);
  if (m_positions.count(markup.Get()))
    return false;
  m_positions.emplace(markup.Get(), m_markups.insert(m_markups.end(), markup));
  return true;
}

bool MarkupHolder::RemoveMarkup(const du::SmartPtr<Markup>& markup)
{
  du::SmartPtr<Markup> removed; // released after the mutex: its destruction may reach back here
  {
    std::lock_guard<std::mutex> lock(m_mutex);
    const auto found = m_positions.find(markup.Get());
    if (found == m_positions.end())
      return false;
    removed = *found->second;
    m_markups.erase(found->second);
    m_positions.erase(found);
  }
  LetGo(*removed);
  return true;
}

void MarkupHolder::RemoveAllMarkups()
{
  Markups removed;
  {
    std::lock_guard<std::mutex> lock(m_mutex);
    removed.swap(m_markups);
    m_positions.clear();
  }
  for (const du::SmartPtr<Markup>& markup : removed)
    LetGo(*markup);
}

bool MarkupHolder::HoldsMarkup(const du::SmartPtr<Markup>& markup) const
{
  std::lock_guard<std::mutex> lock(m_mutex);
  return m_positions.count(markup.Get()) != 0;
}

std::vector<du::SmartPtr<Markup>> MarkupHolder::GetMarkups() const
{
  std::lock_guard<std::mutex> lock(m_mutex);
  return std::vector<du::SmartPtr<Markup>>(m_markups.begin(), m_markups.end());
}

std::size_t MarkupHolder::GetMarkupCount() const
{
  std::lock_guard<std::mutex> lock(m_mutex);
  return m_markups.size();
}

} // namespace tqk
