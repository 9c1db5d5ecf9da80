#pragma once

#include <du/SmartPtr.h>
#include <tqk/Object.h>
#include <tqk/Window.h>

#include <cstdint>

namespace tqk {

class Scene;

//! A view of a scene, shown in a window (or in none).
//!
//! The scene holds its views by counted reference and each view refers back to its scene by a
//! plain pointer, which the scene clears when it lets the view go.
class View : public Object
{
public:
  explicit View(const du::SmartPtr<Window>& window = nullptr);
  View(const View&) = delete;
  View& operator=(const View&) = delete;

  //! The scene the view shows; null when it is in none.
  du::SmartPtr<Scene> GetScene() const;
  const du::SmartPtr<Window>& GetWindow() const { return m_window; }

  //! A number no other view of the process has; it keys state that must not keep views alive.
  std::uint64_t GetViewId() const { return m_viewId; }

private:
  friend class Scene; // sets and clears the back pointer
  Scene* m_scene = nullptr;
  du::SmartPtr<Window> m_window;
  std::uint64_t m_viewId;
};

} // namespace tqk
