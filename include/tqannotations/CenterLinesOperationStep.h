#pragma once

#include <du/SmartPtr.h>
#include <du/Symbol.h>
#include <tqannotations/CenterLinesInfo.h>
#include <tqannotations/Export.h>
#include <tqannotations/SlotObject.h>
#include <tqk/OperationStep.h>

#include <cstdint>
#include <vector>

namespace tqannotations {

class CenterLinesAnnotation;

//! The undo record of one edit of a center line: its slots and its snapshot (CenterLinesInfo)
//! as they stood before the edit and after it.
//!
//! Made just before the edit, which it captures as the state to undo to; SetRedo, called once the
//! edit is done, captures the state to redo to and what the edit changed, which names the step.
//! Undo and Redo hand the center line fresh copies of the recorded slot objects each time, so
//! nothing the center line does later reaches the record, and any number of undos and redos, in
//! any order, restore the same items.
//!
//! Undo and Redo hold the center line's write lock while they put a state back, so that readers
//! on other threads see the whole of one state; capturing needs no lock of its own, as the
//! center line's getters lock for themselves. The step keeps the center line alive until the
//! step itself goes.
class TQANNOTATIONS_EXPORT CenterLinesOperationStep : public tqk::OperationStep
{
public:
  using Slots = std::vector<du::SmartPtr<SlotObject>>;

  //! What an edit changed, as bits of GetKind.
  enum Change : std::uint32_t
  {
    SLOTS_CHANGED = 0x1,
    STYLE_CHANGED = 0x4,
  };

  //! Captures the center line's slots and snapshot before the edit.
  explicit CenterLinesOperationStep(const du::SmartPtr<CenterLinesAnnotation>& annotation);
  //! Shares the other step's slot copies; copies its snapshots, center line and kind.
  CenterLinesOperationStep(const CenterLinesOperationStep& other) = default;
  CenterLinesOperationStep& operator=(const CenterLinesOperationStep& other) = default;
  ~CenterLinesOperationStep() override;

  //! Captures the slots and snapshot after the edit (replacing an earlier capture) and records
  //! what changed: the slots, and the style as CenterStyle's equality sees it.
  void SetRedo();
  //! Puts the slots and snapshot of before the edit back and redraws the line.
  void Undo() override;
  //! Puts the slots and snapshot of after the edit back and redraws the line; nothing before
  //! SetRedo has captured them.
  void Redo() override;

  //! The edit's name from the host's catalogue, with the center line's name in it; empty while
  //! the step has recorded no change.
  du::Symbol GetOperationName();

  std::uint32_t GetKind() const { return m_kind; }
  const Slots& GetUndoSlots() const { return m_undoSlots; }
  const Slots& GetRedoSlots() const { return m_redoSlots; }
  const CenterLinesInfo& GetUndoInfo() const { return m_undoInfo; }
  const CenterLinesInfo& GetRedoInfo() const { return m_redoInfo; }
  const du::SmartPtr<CenterLinesAnnotation>& GetAnnotation() const { return m_annotation; }

private:
  void Restore(const Slots& slots, const CenterLinesInfo& info);

  Slots m_undoSlots;
  Slots m_redoSlots;
  CenterLinesInfo m_undoInfo;
  CenterLinesInfo m_redoInfo;
  du::SmartPtr<CenterLinesAnnotation> m_annotation;
  std::uint32_t m_kind = 0;
};

} // namespace tqannotations
