#pragma once

#include <dg/Location.h>
#include <du/ConstSmartPtr.h>
#include <du/SmartPtr.h>
#include <tqk/Instance.h>
#include <tqk/Scene.h>
#include <tqk/ShapeInstance.h>
#include <tqk/ShapeSceneListener.h>

#include <cstdint>
#include <list>
#include <set>
#include <unordered_map>
#include <vector>

namespace tqk {

//! A scene of parts: it shows engineering instances as placed shape instances, one per instance,
//! beside its markups.
//!
//! Every change to its parts (moved, hidden or shown, removed, created) is reported once to the
//! listeners registered with it, after the change, outside its own mutex, on the calling thread.
//! Listeners are not owned; whoever registers one removes it before it goes.
//!
//! Listeners are told in the order they were added. A listener may add and remove listeners
//! (itself among them) while it is told; the report under way then goes on by this rule:
//! - a listener removed meanwhile is not told afterwards, not even when it is added again before
//!   the report reaches it;
//! - a listener added meanwhile is told from the next report on.
//! Adding, removing and checking a listener take constant time, so a report costs as much as the
//! listeners it tells.
class ShapeScene : public Scene
{
public:
  ShapeScene();
  ~ShapeScene() override;

  //! Shows the instance, placed by the location; null when the instance is null or shown already.
  du::SmartPtr<ShapeInstance> CreateShapeInstance(const du::SmartPtr<Instance>& instance,
                                                  const du::SmartPtr<Shape>& shape,
                                                  const dg::Location& location);
  //! Takes the part out of the scene; false when the scene does not show it.
  bool RemoveShapeInstance(const du::SmartPtr<ShapeInstance>& part);
  //! Places the part anew; false when the scene does not show it.
  bool SetShapeInstanceLocation(const du::SmartPtr<ShapeInstance>& part, const dg::Location& location);
  //! Shows or hides the parts of the instances. With notify, the parts whose visibility really
  //! changed are reported as one appearance change (none when nothing changed).
  void SetVisibility(const std::set<du::SmartPtr<Instance>>& instances, bool visible, bool notify);

  //! The part that shows the instance into out; false, out emptied, when there is none.
  bool GetShapeInstance(const du::ConstSmartPtr<Instance>& instance, du::SmartPtr<ShapeInstance>& out) const;
  du::SmartPtr<ShapeInstance> GetShapeInstance(const du::ConstSmartPtr<Instance>& instance) const;
  std::vector<du::SmartPtr<ShapeInstance>> GetShapeInstances() const;

  //! False for null and for a listener registered already.
  bool AddListener(ShapeSceneListener* listener);
  //! False when the listener is not registered.
  bool RemoveListener(ShapeSceneListener* listener);

  //! Also lets every part go (without reports) and forgets the listeners.
  void Close() override;

private:
  using Report = void (ShapeSceneListener::*)(const ShapeSceneListener::ShapeInstances&);
  void Tell(Report report, const ShapeSceneListener::ShapeInstances& parts) const;

  //! One registration of a listener; a listener added again gets a new serial number, so that a
  //! report under way tells apart the registration it started with.
  struct Registration
  {
    ShapeSceneListener* listener;
    std::uint64_t serial;
  };
  //! Whether the registration is still in force.
  bool IsRegistered(const Registration& registration) const;

  mutable std::mutex m_partsMutex;
  std::vector<du::SmartPtr<ShapeInstance>> m_parts;
  std::list<Registration> m_listeners; // in the order they were added
  std::unordered_map<ShapeSceneListener*, std::list<Registration>::iterator> m_listenerIndex;
  std::uint64_t m_nextSerial = 0;
};

} // namespace tqk
