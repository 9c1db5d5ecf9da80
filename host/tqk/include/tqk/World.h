#pragma once

#include <du/RefCounted.h>
#include <du/SmartPtr.h>
#include <tqk/Preferences.h>
#include <tqk/UndoHistory.h>

namespace tqk {

//! The host's root object: one per process, with the preferences and the undo history.
class World : public du::RefCounted
{
public:
  //! The process's world, made on first use.
  static du::SmartPtr<World> GetWorld();

  const du::SmartPtr<Preferences>& GetPreferences() const { return m_preferences; }
  UndoHistory& GetUndoHistory() { return m_undoHistory; }

private:
  World();

  du::SmartPtr<Preferences> m_preferences;
  UndoHistory m_undoHistory;
};

} // namespace tqk
