#include <tqannotations/Callout.h>
#include <tqannotations/CalloutLeaderOperationStep.h>

#include <tqk/Operation.h>
#include <tqk/Scene.h>
#include <tqmk/CalloutLabel.h>

namespace tqannotations {

bool Callout::ShowAllLeaders(const du::SmartPtr<tqk::Operation>& operation)
{
  if (m_kind == CALLOUT_NOTE || !m_scene)
    return false;
  du::SmartPtr<CalloutLeaderOperationStep> step(new CalloutLeaderOperationStep(this));
  if (operation)
    operation->AddStep(step);
  bool shown = false;
  for (const du::SmartPtr<CalloutLeader>& leader : m_leaders) {
    if (!leader)
      continue;
    const du::SmartPtr<tqk::ShapeInstance> part = leader->GetShapeInstance();
    const bool visible = part && part->IsVisible();
    if (leader->IsDetached() && leader->IsHidden()) {
      leader->SetHidden(false);
      if (visible) {
        leader->SetController(this);
        m_scene->AddMarkup(leader);
        leader->SetDetached(false);
        shown = true;
      }
    }
    step->AddLeaderStatus(visible, leader->IsDetached(), leader->IsHidden());
  }
  if (shown && m_label)
    m_label->BringToFront();
  return true;
}

} // namespace tqannotations
