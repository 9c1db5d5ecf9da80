#include <tqk/Operation.h>
#include <tqk/Scene.h>

#include <algorithm>

namespace tqk {

Operation::Operation(const std::string& name, const du::SmartPtr<Scene>& scene, bool undoable)
    : m_name(name), m_scene(scene), m_undoable(undoable)
{}

Operation::~Operation() = default;

bool Operation::AddStep(const du::SmartPtr<OperationStep>& step)
{
  if (!step)
    return false;
  m_steps.push_back(step);
  return true;
}

void Operation::DropUnrecordableSteps()
{
  m_steps.erase(std::remove_if(m_steps.begin(), m_steps.end(),
                               [](const du::SmartPtr<OperationStep>& step) { return !step->Recordable(); }),
                m_steps.end());
}

void Operation::UndoSteps()
{
  for (auto step = m_steps.rbegin(); step != m_steps.rend(); ++step)
    if ((*step)->HasUndo())
      (*step)->Undo();
}

void Operation::RedoSteps()
{
  for (const du::SmartPtr<OperationStep>& step : m_steps)
    if (step->HasUndo())
      step->Redo();
}

} // namespace tqk
