#include <dom/Observable.h>

#include <algorithm>

namespace dom {

namespace {

bool WrapSameObserver(const du::SmartPtr<ObserverProxy>& a, const du::SmartPtr<ObserverProxy>& b)
{
  return a->GetObserver() == b->GetObserver();
}

} // namespace

bool Observable::RegisterObserver(const du::SmartPtr<ObserverProxy>& proxy)
{
  if (!proxy || !proxy->GetObserver())
    return false;
  std::lock_guard<std::mutex> lock(m_mutex);
  const bool known =
      std::any_of(m_proxies.begin(), m_proxies.end(),
                  [&](const du::SmartPtr<ObserverProxy>& p) { return WrapSameObserver(p, proxy); });
  if (known)
    return false;
  m_proxies.push_back(proxy);
  return true;
}

bool Observable::DeregisterObserver(const du::SmartPtr<ObserverProxy>& proxy)
{
  if (!proxy)
    return false;
  du::SmartPtr<ObserverProxy> removed; // released after the mutex, in case it was the last reference
  std::lock_guard<std::mutex> lock(m_mutex);
  const auto found =
      std::find_if(m_proxies.begin(), m_proxies.end(),
                   [&](const du::SmartPtr<ObserverProxy>& p) { return WrapSameObserver(p, proxy); });
  if (found == m_proxies.end())
    return false;
  removed = *found;
  m_proxies.erase(found);
  return true;
}

std::size_t Observable::GetObserverCount() const
{
  std::lock_guard<std::mutex> lock(m_mutex);
  return m_proxies.size();
}

void Observable::DeliverToObservers(ObservableEvent& event)
{
  std::vector<du::SmartPtr<ObserverProxy>> proxies;
  {
    std::lock_guard<std::mutex> lock(m_mutex);
    proxies = m_proxies;
  }
  for (const du::SmartPtr<ObserverProxy>& proxy : proxies)
    event.Write(*proxy);
}

} // namespace dom
