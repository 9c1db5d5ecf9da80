#include <tqannotations/Callout.h>

#include "callouts/CalloutUnits.h"
#include "common/WriteLockGuard.h"

#include <tqmk/CalloutLabel.h>
#include <tqmu/ModelLeaderLine.h>
#include <tqmu/RenderAttrs.h>

namespace tqannotations {
namespace {

// The dash length of leader stipples, relative to the host's default.
const float kLeaderStippleScale = 3.0f;

} // namespace

du::SmartPtr<CalloutLeader> Callout::CreateCalloutLeader(dg::DPoint3D anchor,
                                                         du::SmartPtr<tqk::ShapeInstance> part,
                                                         du::SmartPtr<tqk::BaseInstance> assembly)
{
  const int pixels = PixelWidth(m_info.lineWeight, m_resolution);
  du::SmartPtr<CalloutLeader> leader(new CalloutLeader(part, assembly));
  leader->SetLineColor(m_info.lineColor);
  leader->SetLineWidth(pixels);
  leader->SetStipple(tqmu::RenderAttrs::LineStipple(m_info.lineStipple));
  leader->SetArrowStyle(tqmu::ModelLeaderLine::ArrowType(m_info.arrowStyle));
  leader->MatchArrowsToWidth();
  leader->ShowHiddenLinesAsDashed(true);
  leader->AppendPoint(m_info.position);
  leader->AppendPoint(anchor);
  leader->SetPageNum(m_info.pageNumber);
  leader->SetAnchor(anchor);
  leader->SetHalo(m_info.halo);
  leader->SetStippleScale(kLeaderStippleScale);
  return leader;
}

void Callout::AppendLeader(du::SmartPtr<CalloutLeader> leader)
{
  if (m_kind == CALLOUT_NOTE || !leader)
    return;
  du::SmartPtr<CalloutLeaderInfo> record(new CalloutLeaderInfo);
  record->shapeInstanceId = leader->GetShapeInstanceId();
  record->assemblyInstanceId = leader->GetAssemblyInstanceId();
  record->anchor = leader->GetAnchor();
  record->attached = !leader->IsDetached();
  record->hidden = leader->IsHidden();
  record->dim = leader->IsDim();
  // Readers walk the leaders under the lock; growing the list may move it.
  WriteLockGuard lock(*this);
  m_info.leaderRecords.push_back(record);
  m_leaders.push_back(leader);
}

CalloutLeader* Callout::LeaderAt(unsigned int index) const
{
  if (m_kind == CALLOUT_NOTE || index >= m_leaders.size())
    return nullptr;
  return m_leaders[index].Get();
}

unsigned int Callout::GetLeaderLineCount(bool records) const
{
  if (m_kind == CALLOUT_NOTE)
    return 0;
  return unsigned(records ? m_info.leaderRecords.size() : m_leaders.size());
}

bool Callout::IsHiddenAtPos(unsigned int index) const
{
  const CalloutLeader* leader = LeaderAt(index);
  return leader && leader->IsHidden();
}

bool Callout::GetAnchorAtPos(unsigned int index, dg::DPoint3D& anchor) const
{
  const CalloutLeader* leader = LeaderAt(index);
  if (!leader)
    return false;
  anchor = leader->GetAnchor();
  return true;
}

bool Callout::HasVisibleLeader() const
{
  if (m_kind == CALLOUT_NOTE)
    return false;
  for (const du::SmartPtr<CalloutLeader>& leader : m_leaders)
    if (leader && !leader->IsDetached())
      return true;
  return false;
}

bool Callout::GetInstanceLocationAtPos(dg::Location& location, unsigned int index) const
{
  const CalloutLeader* leader = LeaderAt(index);
  const du::SmartPtr<tqk::ShapeInstance> part = leader ? leader->GetShapeInstance() : nullptr;
  if (!part)
    return false;
  location = part->GetLocation();
  return true;
}

du::SmartPtr<tqk::ShapeInstance> Callout::GetShapeInstanceAtPos(unsigned int index) const
{
  const CalloutLeader* leader = LeaderAt(index);
  return leader ? leader->GetShapeInstance() : nullptr;
}

du::SmartPtr<tqk::BaseInstance> Callout::GetAssemblyInstanceAtPos(unsigned int index) const
{
  const CalloutLeader* leader = LeaderAt(index);
  return leader ? leader->GetAssemblyInstance() : nullptr;
}

std::string Callout::GetInstanceId() const
{
  const CalloutLeader* leader = LeaderAt(0);
  return leader ? leader->GetShapeInstanceId() : std::string();
}

std::string Callout::GetShapeInstanceIdAtPos(unsigned int index) const
{
  if (m_kind == CALLOUT_NOTE || index >= m_info.leaderRecords.size() || !m_info.leaderRecords[index])
    return std::string();
  return m_info.leaderRecords[index]->shapeInstanceId;
}

void Callout::GetLeaderInfoAtPos(unsigned int index, std::string& partId, std::string& assemblyId,
                                 dg::DPoint3D& anchor, bool& attached) const
{
  const CalloutLeader* leader = LeaderAt(index);
  if (!leader)
    return;
  partId = leader->GetShapeInstanceId();
  assemblyId = leader->GetAssemblyInstanceId();
  anchor = leader->GetAnchor();
  attached = !leader->IsDetached();
}

void Callout::GetMarkupLabelPosition(dg::DPoint3D& position) const
{
  if (m_label)
    position = m_label->GetPos();
}

} // namespace tqannotations
