#include <tqk/Markup.h>
#include <tqk/MarkupHolder.h>

#include <algorithm>

namespace tqk {

MarkupHolder::~MarkupHolder() = default;

bool MarkupHolder::InsertMarkup(const du::SmartPtr<Markup>& markup)
{
  if (!markup)
    return false;
  std::lock_guard<std::mutex> lock(m_mutex);
  if (std::find(m_markups.begin(), m_markups.end(), markup) != m_markups.end())
    return false;
  m_markups.push_back(markup);
  return true;
}

bool MarkupHolder::RemoveMarkup(const du::SmartPtr<Markup>& markup)
{
  du::SmartPtr<Markup> removed; // released after the mutex: its destruction may reach back here
  {
    std::lock_guard<std::mutex> lock(m_mutex);
    const auto found = std::find(m_markups.begin(), m_markups.end(), markup);
    if (found == m_markups.end())
      return false;
    removed = *found;
    m_markups.erase(found);
  }
  removed->SetController(nullptr);
  removed->OnRemovedFromHolder();
  return true;
}

void MarkupHolder::RemoveAllMarkups()
{
  std::vector<du::SmartPtr<Markup>> removed;
  {
    std::lock_guard<std::mutex> lock(m_mutex);
    removed.swap(m_markups);
  }
  for (const du::SmartPtr<Markup>& markup : removed) {
    markup->SetController(nullptr);
    markup->OnRemovedFromHolder();
  }
}

bool MarkupHolder::HoldsMarkup(const du::SmartPtr<Markup>& markup) const
{
  std::lock_guard<std::mutex> lock(m_mutex);
  return std::find(m_markups.begin(), m_markups.end(), markup) != m_markups.end();
}

std::vector<du::SmartPtr<Markup>> MarkupHolder::GetMarkups() const
{
  std::lock_guard<std::mutex> lock(m_mutex);
  return m_markups;
}

std::size_t MarkupHolder::GetMarkupCount() const
{
  std::lock_guard<std::mutex> lock(m_mutex);
  return m_markups.size();
}

} // namespace tqk
