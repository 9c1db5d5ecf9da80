#pragma once

#include <du/RefCounted.h>
#include <tqk/MemoryPoolAllocated.h>

namespace tqk {

//! One undoable change inside a tqk::Operation.
//!
//! A step is made after its change was applied: Undo takes the change back, Redo applies it
//! again. The undo history calls them in turn, any number of times.
class OperationStep : public MemoryPoolAllocated, public du::RefCounted
{
public:
  static void* operator new(std::size_t size) { return Allocate(size, OPERATION_STEPS); }
  static void operator delete(void* memory) noexcept { Release(memory, OPERATION_STEPS); }

  //! Whether the history keeps the step; a step that is not kept is dropped when its operation
  //! is recorded. Kept unless a step says otherwise.
  virtual bool Recordable() const { return true; }
  //! Whether the change can be taken back; the history passes over a step that cannot, on undo
  //! and on redo alike (its change simply stays). True unless a step says otherwise.
  virtual bool HasUndo() const { return true; }
  //! What kind of step this is, for whoever lists the history; 0 unless a step says otherwise.
  virtual int Type() const { return 0; }
  virtual void Undo() = 0;
  virtual void Redo() = 0;
};

} // namespace tqk
