#include <tqk/Scene.h>
#include <tqk/View.h>

#include <atomic>

namespace tqk {

namespace {

std::uint64_t NextViewId()
{
  static std::atomic<std::uint64_t> next{1}; // 0 stands for "no view"
  return next.fetch_add(1);
}

} // namespace

View::View(const du::SmartPtr<Window>& window) : m_window(window), m_viewId(NextViewId()) {}

du::SmartPtr<Scene> View::GetScene() const { return m_scene; }

} // namespace tqk
