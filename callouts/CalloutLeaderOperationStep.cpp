#include <tqannotations/CalloutLeaderOperationStep.h>

#include <tqannotations/Callout.h>
#include <tqannotations/CalloutLeader.h>

#include <tqk/Scene.h>
#include <tqmk/CalloutLabel.h>

#include <algorithm>

namespace tqannotations {
namespace {

const du::Symbol kOperationName("Show all Leaders");

} // namespace

CalloutLeaderOperationStep::CalloutLeaderOperationStep(const du::SmartPtr<Callout>& callout)
    : m_callout(callout)
{
  if (!m_callout)
    return;
  for (const du::SmartPtr<CalloutLeader>& leader : m_callout->m_leaders) {
    if (!leader)
      continue;
    const du::SmartPtr<tqk::ShapeInstance> part = leader->GetShapeInstance();
    m_leaders.push_back(leader);
    m_before.push_back({part && part->IsVisible(), leader->IsDetached(), leader->IsHidden()});
  }
}

CalloutLeaderOperationStep::~CalloutLeaderOperationStep() = default;

void CalloutLeaderOperationStep::AddLeaderStatus(bool visible, bool detached, bool hidden)
{
  m_after.push_back({visible, detached, hidden});
}

void CalloutLeaderOperationStep::Undo() { Restore(m_before); }

void CalloutLeaderOperationStep::Redo() { Restore(m_after); }

du::Symbol CalloutLeaderOperationStep::GetOperationName() { return kOperationName; }

void CalloutLeaderOperationStep::Restore(const std::vector<LeaderStatus>& statuses)
{
  if (!m_callout)
    return;
  Callout& callout = *m_callout;
  const du::SmartPtr<tqk::Scene> scene = callout.m_scene;
  bool shown = false;
  const std::size_t count = std::min(statuses.size(), m_leaders.size());
  for (std::size_t index = 0; index < count; ++index) {
    const du::SmartPtr<CalloutLeader>& leader = m_leaders[index];
    const LeaderStatus& status = statuses[index];
    const auto& current = callout.m_leaders;
    if (std::find(current.begin(), current.end(), leader) == current.end())
      continue;
    leader->SetHidden(status.hidden);
    // The detached flag says whether the leader is in the scene; it follows only what the
    // scene membership can follow.
    if (!scene || leader->IsDetached() == status.detached)
      continue;
    if (status.detached) {
      leader->SetController(nullptr);
      scene->RemoveMarkup(leader);
      leader->SetDetached(true);
    } else {
      leader->SetController(&callout);
      scene->AddMarkup(leader);
      leader->SetDetached(false);
      shown = true;
    }
  }
  if (shown && callout.m_label)
    callout.m_label->BringToFront();
}

} // namespace tqannotations
