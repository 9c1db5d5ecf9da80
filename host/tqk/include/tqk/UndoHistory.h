#pragma once

#include <du/SmartPtr.h>
#include <tqk/Operation.h>

#include <cstddef>
#include <mutex>
#include <unordered_set>
#include <vector>

namespace tqk {

//! The world's undo history: operations that can be undone, and those undone that can be redone.
//!
//! Undo takes the last recorded operation back (its steps last first) and makes it redoable;
//! Redo applies the last undone one again (its steps first first). Recording an operation after
//! an undo drops the operations that could have been redone. Recording takes constant time
//! (amortized over the operations it drops), however long the history.
class UndoHistory
{
public:
  UndoHistory() = default;
  UndoHistory(const UndoHistory&) = delete;
  UndoHistory& operator=(const UndoHistory&) = delete;

  //! Appends the operation. False, recording nothing, for null, for an operation that is not
  //! undoable or has no recordable step, for one the history holds already, and while an undo or
  //! redo is running (steps that are replayed must not record new history).
  bool Record(const du::SmartPtr<Operation>& operation);
  //! False when there is nothing to undo or an undo or redo is running. False too when a step
  //! throws: the operation, half undone, then leaves the history.
  bool Undo();
  //! False when there is nothing to redo or an undo or redo is running, or when a step throws
  //! (the operation then leaves the history).
  bool Redo();
  void Clear();

  std::size_t GetUndoCount() const;
  std::size_t GetRedoCount() const;

private:
  bool Replay(std::vector<du::SmartPtr<Operation>>& from, std::vector<du::SmartPtr<Operation>>& to,
              bool undo);

  mutable std::mutex m_mutex;
  std::vector<du::SmartPtr<Operation>> m_undoable;
  std::vector<du::SmartPtr<Operation>> m_redoable;
  //! The operations of both lists, so that recording finds one held already without a search.
  std::unordered_set<const Operation*> m_held;
  bool m_replaying = false;
};

} // namespace tqk
