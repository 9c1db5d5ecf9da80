#include <tqannotations/Callout.h>
#include <tqannotations/CalloutLeaderOperationStep.h>
#include <tqannotations/CalloutLeaderShadow.h>
#include <tqannotations/MoveOperationStep.h>

#include "common/ReadLockGuard.h"
#include "common/ValueOperators.h"
#include "common/WriteLockGuard.h"

#include <tqk/Instance.h>
#include <tqk/Operation.h>
#include <tqk/Scene.h>
#include <tqmk/CalloutLabel.h>
#include <tqmk/CalloutLabelShadow.h>

#include <algorithm>

namespace tqannotations {
namespace {

//! The scene point taken into the part's space by the inverse of its placement; false when the
//! placement cannot be undone.
bool IntoPartSpace(const dg::Location& placement, const dg::DPoint3D& inScene, dg::DPoint3D& inPart)
{
  dg::DMat44 inverse = placement.GetXform();
  if (!inverse.Invert())
    return false;
  inPart = inScene * inverse;
  return true;
}

dg::Location At(const dg::DPoint3D& position) { return dg::Location(dg::FMat33::IDENTITY, position); }

//! Every coordinate equal, exactly.
bool SamePoints(const std::vector<dg::DPoint3D>& a, const std::vector<dg::DPoint3D>& b)
{
  return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                    [](const dg::DPoint3D& p, const dg::DPoint3D& q) { return !(p != q); });
}

} // namespace

bool Callout::MarkupUpdated(const du::SmartPtr<tqk::Markup>& changed, const du::SmartPtr<tqk::Markup>& shadow,
                            const du::SmartPtr<tqk::Operation>& operation)
{
  WriteLockGuard lock(*this);
  if (!changed)
    return true;
  if (m_label && changed == du::SmartPtr<tqk::Markup>(m_label)) {
    const auto labelShadow = du::SmartPtr<tqmk::CalloutLabelShadow>::DynamicCast(shadow);
    if (!labelShadow)
      return true;
    dg::DPoint3D position = labelShadow->GetPos();
    if (m_kind != CALLOUT_NOTE) {
      dg::Location placement;
      if (!GetLabelPlacement(placement) || !IntoPartSpace(placement, position, position))
        return true;
    }
    if (operation)
      operation->AddStep(new MoveOperationStep(this, 0, At(m_info.position), At(position)));
    SetLabelPosition(position);
    return true;
  }
  for (unsigned index = 0; m_kind != CALLOUT_NOTE && index < m_leaders.size(); ++index)
    if (m_leaders[index] && changed == du::SmartPtr<tqk::Markup>(m_leaders[index])) {
      LeaderUpdated(index, shadow, operation);
      break;
    }
  return true;
}

void Callout::LeaderUpdated(unsigned index, const du::SmartPtr<tqk::Markup>& shadow,
                            const du::SmartPtr<tqk::Operation>& operation)
{
  dg::Location placement;
  const auto leaderShadow = du::SmartPtr<CalloutLeaderShadow>::DynamicCast(shadow);
  if (!leaderShadow || !GetInstanceLocationAtPos(placement, index))
    return;
  const du::SmartPtr<CalloutLeader> leader = m_leaders[index];
  const std::vector<dg::DPoint3D> dropped = leaderShadow->GetPoints();
  const std::vector<dg::DPoint3D> points = leader->GetPoints();
  if (SamePoints(dropped, points))
    return;
  dg::DPoint3D anchor;
  if (leaderShadow->GetPickedNode() == 1 && dropped.size() > 1 && points.size() > 1 &&
      IntoPartSpace(placement, dropped[1], anchor)) {
    if (operation)
      operation->AddStep(new MoveOperationStep(this, index + 1, At(points[1]), At(dropped[1])));
    SetAnchor(anchor, index);
    return;
  }
  // Only the anchor end follows a drop: any other dragged point springs back.
  if (!points.empty())
    leaderShadow->MovePoint(0, points[0]);
}

void Callout::GetMarkupShadow(du::SmartPtr<tqk::Markup>& shadow) const
{
  // The host starts and ends the label's drag under the callout's lock, which the label shares.
  ReadLockGuard lock(*this);
  shadow = m_label ? m_label->GetShadow() : nullptr;
}

void Callout::GetMarkupLocation(unsigned, dg::Location& location) const
{
  ReadLockGuard lock(*this);
  location = At(m_info.position);
}

void Callout::SetMarkupLocation(unsigned index, const dg::Location& location)
{
  if (index == 0) {
    SetLabelPosition(location.GetPosition());
    return;
  }
  dg::Location placement;
  dg::DPoint3D anchor;
  if (GetInstanceLocationAtPos(placement, index - 1) &&
      IntoPartSpace(placement, location.GetPosition(), anchor))
    SetAnchor(anchor, index - 1);
}

bool Callout::ShowAllLeaders(const du::SmartPtr<tqk::Operation>& operation)
{
  // Attaching and detaching change the scene and the leaders' membership under the write side.
  WriteLockGuard lock(*this);
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

void Callout::OnShapeInstanceLocation(const du::SmartPtr<tqk::ShapeInstance>& part)
{
  if (m_kind == CALLOUT_NOTE || !part)
    return;
  const dg::Location& placement = part->GetLocation();
  std::size_t first = m_leaders.size();
  for (std::size_t index = 0; index < m_leaders.size(); ++index) {
    const du::SmartPtr<CalloutLeader>& leader = m_leaders[index];
    if (!leader || !(leader->GetShapeInstance() == part))
      continue;
    if (first == m_leaders.size())
      first = index;
    leader->MovePoint(1, leader->GetAnchor() * placement);
  }
  if (first < m_leaders.size())
    NotifyCalloutChanged();
  // A single leader's label moves with its part; otherwise the label keeps its place in the
  // scene, and its stored position follows leader 0's part when that part is the one that moved.
  if (m_leaders.size() == 1 || first != 0) {
    SetLabelPosition(m_info.position);
    return;
  }
  dg::Location leaderPlacement;
  dg::DPoint3D position;
  if (m_label && GetInstanceLocationAtPos(leaderPlacement, 0) &&
      IntoPartSpace(leaderPlacement, m_label->GetPos(), position))
    SetLabelPosition(position);
}

void Callout::OnShapeInstanceCreate(const du::SmartPtr<tqk::ShapeInstance>& part)
{
  if (!part || !m_scene || m_kind == CALLOUT_NOTE)
    return;
  const du::SmartPtr<tqk::Instance> instance = part->GetInstance();
  const du::SmartPtr<tqk::BaseInstance> structureInstance = instance ? instance->GetSbomInstance() : nullptr;
  const std::string id = structureInstance ? structureInstance->GetIDPath().GetText() : std::string();
  if (id.empty())
    return;
  bool rebound = false;
  for (const du::SmartPtr<CalloutLeader>& leader : m_leaders) {
    if (!leader)
      continue;
    // A leader already bound to this very part: the callout has this part, nothing to rebind.
    if (leader->GetShapeInstance() == part)
      break;
    if (leader->GetShapeInstanceId() != id)
      continue;
    // Detached, the leader is shown on its new part by the next attach.
    if (!leader->IsDetached()) {
      leader->SetController(nullptr);
      m_scene->RemoveMarkup(leader);
      leader->SetDetached(true);
    }
    leader->m_part = part;
    leader->SetAnchor(leader->GetAnchor());
    rebound = true;
  }
  if (rebound)
    SetLabelPosition(m_info.position);
}

} // namespace tqannotations
