#pragma once

#include <du/RefCounted.h>
#include <du/SmartPtr.h>
#include <tqk/Preferences.h>
#include <tqk/UndoHistory.h>

#include <mutex>

namespace tqk {

//! The host's root object: one per process, with the preferences and the undo history.
//!
//! A host may run without its world for a while (before it has made it, or while it shuts down)
//! and a world may run without a preference store; whoever asks for either must expect null.
class World : public du::RefCounted
{
public:
  //! The process's world, made on first use; null while it is closed.
  static du::SmartPtr<World> GetWorld();
  //! Closes the process's world, as a host does while it shuts down: GetWorld answers null until
  //! Reopen. Whoever holds the world keeps it.
  static void Close();
  //! Makes GetWorld answer the process's world again, with what it held when closed.
  static void Reopen();

  //! The preference store; null when the world has none.
  du::SmartPtr<Preferences> GetPreferences() const;
  //! Replaces the preference store; null leaves the world without one.
  void SetPreferences(const du::SmartPtr<Preferences>& preferences);
  UndoHistory& GetUndoHistory() { return m_undoHistory; }

private:
  World();

  mutable std::mutex m_preferencesMutex;
  du::SmartPtr<Preferences> m_preferences;
  UndoHistory m_undoHistory;
};

} // namespace tqk
