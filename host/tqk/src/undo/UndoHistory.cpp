#include <tqk/Operation.h>
#include <tqk/UndoHistory.h>

namespace tqk {

bool UndoHistory::Record(const du::SmartPtr<Operation>& operation)
{
  if (!operation || !operation->IsUndoable())
    return false;
  operation->DropUnrecordableSteps();
  if (operation->GetSteps().empty())
    return false;
  std::vector<du::SmartPtr<Operation>> dropped; // released after the mutex: steps may own scenes
  std::lock_guard<std::mutex> lock(m_mutex);
  // An operation held twice would have its steps taken back twice.
  if (m_replaying || m_held.count(operation.Get()))
    return false;
  dropped.swap(m_redoable);
  for (const du::SmartPtr<Operation>& gone : dropped)
    m_held.erase(gone.Get());
  m_undoable.push_back(operation);
  m_held.insert(operation.Get());
  return true;
}

bool UndoHistory::Undo() { return Replay(m_undoable, m_redoable, true); }

bool UndoHistory::Redo() { return Replay(m_redoable, m_undoable, false); }

bool UndoHistory::Replay(std::vector<du::SmartPtr<Operation>>& from, std::vector<du::SmartPtr<Operation>>& to,
                         bool undo)
{
  du::SmartPtr<Operation> operation;
  {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_replaying || from.empty())
      return false;
    m_replaying = true;
    operation = from.back();
    from.pop_back();
  }
  // The steps run without the mutex: they call back into annotations, which may ask the history
  // questions of their own.
  try {
    if (undo)
      operation->UndoSteps();
    else
      operation->RedoSteps();
  } catch (...) {
    // A step that failed half way leaves the operation in an unknown state; it cannot be
    // replayed either way, so it leaves the history, and the caller hears of the failure as
    // a result: an exception would unwind through the plug-in's callers instead.
    std::lock_guard<std::mutex> lock(m_mutex);
    m_held.erase(operation.Get());
    m_replaying = false;
    return false;
  }
  std::lock_guard<std::mutex> lock(m_mutex);
  to.push_back(operation);
  m_replaying = false;
  return true;
}

void UndoHistory::Clear()
{
  std::vector<du::SmartPtr<Operation>> undoable;
  std::vector<du::SmartPtr<Operation>> redoable;
  std::lock_guard<std::mutex> lock(m_mutex);
  undoable.swap(m_undoable);
  redoable.swap(m_redoable);
  m_held.clear();
}

std::size_t UndoHistory::GetUndoCount() const
{
  std::lock_guard<std::mutex> lock(m_mutex);
  return m_undoable.size();
}

std::size_t UndoHistory::GetRedoCount() const
{
  std::lock_guard<std::mutex> lock(m_mutex);
  return m_redoable.size();
}

} // namespace tqk
