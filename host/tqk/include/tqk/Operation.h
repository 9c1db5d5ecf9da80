#pragma once

#include <du/RefCounted.h>
#include <du/SmartPtr.h>
#include <tqk/MemoryPoolAllocated.h>
#include <tqk/OperationStep.h>
#include <tqk/Scene.h>

#include <string>
#include <vector>

namespace tqk {

//! One user action as the undo history knows it: a name to show, the scene it happened in, and
//! the steps that undo and redo it.
class Operation : public MemoryPoolAllocated, public du::RefCounted
{
public:
  //! undoable: whether recording the operation puts it into the undo history.
  Operation(const std::string& name, const du::SmartPtr<Scene>& scene, bool undoable);
  Operation(const Operation&) = delete;
  Operation& operator=(const Operation&) = delete;
  ~Operation() override;

  static void* operator new(std::size_t size) { return Allocate(size, OPERATIONS); }
  static void operator delete(void* memory) noexcept { Release(memory, OPERATIONS); }

  //! Appends the step; false for null.
  bool AddStep(const du::SmartPtr<OperationStep>& step);

  const std::string& GetName() const { return m_name; }
  const du::SmartPtr<Scene>& GetScene() const { return m_scene; }
  bool IsUndoable() const { return m_undoable; }
  const std::vector<du::SmartPtr<OperationStep>>& GetSteps() const { return m_steps; }

  //! Drops the steps that are not recordable; called when the operation is recorded.
  void DropUnrecordableSteps();
  //! Takes the steps back, last first.
  void UndoSteps();
  //! Applies the steps again, first first.
  void RedoSteps();

private:
  std::string m_name;
  du::SmartPtr<Scene> m_scene;
  bool m_undoable;
  std::vector<du::SmartPtr<OperationStep>> m_steps;
};

} // namespace tqk
