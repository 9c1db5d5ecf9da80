#include <tqannotations/Callout.h>

#include <tqannotations/CalloutLeaderShadow.h>

#include "callouts/CalloutUnits.h"
#include "callouts/PartBox.h"
#include "common/ReadLockGuard.h"
#include "common/ValueOperators.h"
#include "common/WriteLockGuard.h"

#include <dg/FBox.h>
#include <tqk/Instance.h>
#include <tqmk/CalloutLabel.h>
#include <tqmk/CalloutLabelShadow.h>
#include <tqmu/ModelLeaderLine.h>
#include <tqmu/RenderAttrs.h>

namespace tqannotations {
namespace {

// The dash length of leader stipples, relative to the host's default.
const float kLeaderStippleScale = 3.0f;

} // namespace

void Callout::Initialize(const du::SmartPtr<TAnnotation>& definition,
                         const du::SmartPtr<tqk::ShapeInstance>& part, bool notify,
                         du::SmartPtr<tqk::BaseInstance> assembly)
{
  if (!definition)
    return;
  TakeMarkupsOutOfScene();
  _Initialize(definition);
  if (!part)
    return;
  dg::DPoint3D anchor = dg::DPoint3D::ORIGIN;
  CalculateAnchor(part, anchor);
  AppendLeader(CreateCalloutLeader(anchor, part, assembly));
  bool positionSet = false;
  dg::DPoint3D position;
  {
    ReadLockGuard lock(*this);
    positionSet = m_positionSet;
    position = m_info.position;
  }
  bool posted = false;
  if (!positionSet) {
    // A note keeps its label in the scene's space, so the anchor is carried there.
    const bool note = m_kind == CALLOUT_NOTE;
    SetLabelPosition(note ? anchor * part->GetLocation() : anchor);
    posted = note;
  } else {
    // The new label markup is drawn where the reset position says, not at the scene's origin.
    SetLabelPosition(position);
  }
  {
    WriteLockGuard lock(*this);
    m_initialized = true;
  }
  if (notify && !posted)
    PostPositionSet();
}

void Callout::InitializeAsNote(const du::SmartPtr<TAnnotation>& definition)
{
  if (!definition)
    return;
  TakeMarkupsOutOfScene();
  _Initialize(definition);
  WriteLockGuard lock(*this);
  m_kind = CALLOUT_NOTE;
  m_initialized = true;
}

bool Callout::CalculateAnchor(du::SmartPtr<tqk::ShapeInstance> part, dg::DPoint3D& anchor)
{
  if (!part)
    return false;
  const du::SmartPtr<tqk::Instance> instance = part->GetInstance();
  // Geometry without a face or an edge has the empty box, whose centre is the part's origin.
  dg::FBox box;
  if (!PartBox(instance.Get(), *part, box))
    return false;
  anchor = dg::DPoint3D(box.GetCenter());
  return true;
}

void Callout::ConnectLeader(du::SmartPtr<CalloutLeader> leader)
{
  if (!leader || m_kind == CALLOUT_NOTE)
    return;
  // Leader 0's points move and the leaders grow on other threads, under the write side.
  WriteLockGuard lock(*this);
  if (const CalloutLeader* first = LeaderAt(0)) {
    const std::vector<dg::DPoint3D> points = first->GetPoints();
    if (!points.empty())
      leader->MovePoint(0, points[0]);
  } else if (m_positionSet && !m_info.leaderRecords.empty()) {
    // A loaded callout whose first leader could not be rebuilt still shows its label.
    dg::DPoint3D label = dg::DPoint3D::ORIGIN;
    GetMarkupLabelPosition(label);
    leader->MovePoint(0, label);
    // The records not rebuilt yet keep their slots, so that the new leader pairs with its record.
    m_leaders.resize(std::max(m_leaders.size(), m_info.leaderRecords.size()));
  } else {
    return;
  }
  AppendLeader(leader);
}

void Callout::SetLabelPosition(const dg::DPoint3D& position)
{
  if (!dg::IsFinite(position))
    return;
  if (m_kind == CALLOUT_NOTE) {
    bool firstTime = false;
    {
      // The shadow is read under the lock too: the host starts and ends drags under it.
      WriteLockGuard lock(*this);
      m_info.position = position;
      if (m_label) {
        m_label->SetPos(position);
        if (const auto labelShadow =
                du::SmartPtr<tqmk::CalloutLabelShadow>::DynamicCast(m_label->GetShadow()))
          labelShadow->MoveToLabel();
      }
      firstTime = !m_positionSet;
      m_positionSet = true;
    }
    if (firstTime)
      PostPositionSet();
    return;
  }
  dg::Location placement;
  if (GetLabelPlacement(placement))
    PlaceLabel(position, placement);
}

void Callout::PlaceLabel(const dg::DPoint3D& position, const dg::Location& placement)
{
  // The shadow too is read under the lock: the host starts and ends drags under it.
  WriteLockGuard lock(*this);
  const auto labelShadow =
      m_label ? du::SmartPtr<tqmk::CalloutLabelShadow>::DynamicCast(m_label->GetShadow()) : nullptr;
  m_info.position = position;
  const dg::DPoint3D inScene = position * placement;
  if (m_label)
    m_label->SetPos(inScene);
  if (labelShadow)
    labelShadow->MoveToLabel();
  for (const du::SmartPtr<CalloutLeader>& leader : m_leaders) {
    if (!leader)
      continue;
    // A leader being dragged draws its shadow; its label end must not stay where the label was.
    const auto leaderShadow = du::SmartPtr<CalloutLeaderShadow>::DynamicCast(leader->GetShadow());
    leader->MovePoint(0, inScene);
    if (leaderShadow)
      leaderShadow->MovePoint(0, inScene);
    leader->NotifyContentChanged();
  }
  m_positionSet = true;
}

void Callout::SetAnchor(const dg::DPoint3D& anchor, unsigned int index)
{
  if (m_kind == CALLOUT_NOTE || !dg::IsFinite(anchor))
    return;
  bool placeLabel = false;
  {
    // Looked up under the same lock that it is written under: the leaders may change meanwhile.
    WriteLockGuard lock(*this);
    CalloutLeader* leader = LeaderAt(index);
    if (!leader || !leader->GetShapeInstance())
      return;
    leader->SetAnchor(anchor);
    m_info.SetLeaderLineAnchor(anchor, index);
    placeLabel = !m_positionSet;
  }
  NotifyCalloutChanged();
  if (placeLabel)
    SetLabelPosition(anchor);
}

du::SmartPtr<TAnnotation> Callout::GetDefinition()
{
  ReadLockGuard lock(*this);
  return m_definition;
}

void Callout::PostPositionSet() { PostObservableEvent(new CalloutObserver::PositionSetEvent, false); }

du::SmartPtr<CalloutLeader> Callout::CreateCalloutLeader(dg::DPoint3D anchor,
                                                         du::SmartPtr<tqk::ShapeInstance> part,
                                                         du::SmartPtr<tqk::BaseInstance> assembly)
{
  ReadLockGuard lock(*this);
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

// The getters below read the leaders and the label, which other threads change under the write
// side and the host draws and drags under it.
unsigned int Callout::GetLeaderLineCount(bool records)
{
  ReadLockGuard lock(*this);
  if (m_kind == CALLOUT_NOTE)
    return 0;
  return unsigned(records ? m_info.leaderRecords.size() : m_leaders.size());
}

bool Callout::IsHiddenAtPos(unsigned int index)
{
  ReadLockGuard lock(*this);
  CalloutLeader* leader = LeaderAt(index);
  return leader && leader->IsHidden();
}

bool Callout::GetAnchorAtPos(unsigned int index, dg::DPoint3D& anchor)
{
  ReadLockGuard lock(*this);
  CalloutLeader* leader = LeaderAt(index);
  if (!leader)
    return false;
  anchor = leader->GetAnchor();
  return true;
}

bool Callout::HasVisibleLeader()
{
  ReadLockGuard lock(*this);
  if (m_kind == CALLOUT_NOTE)
    return false;
  for (const du::SmartPtr<CalloutLeader>& leader : m_leaders)
    if (leader && !leader->IsDetached())
      return true;
  return false;
}

bool Callout::GetInstanceLocationAtPos(dg::Location& location, unsigned int index)
{
  ReadLockGuard lock(*this);
  CalloutLeader* leader = LeaderAt(index);
  const du::SmartPtr<tqk::ShapeInstance> part = leader ? leader->GetShapeInstance() : nullptr;
  if (!part)
    return false;
  location = part->GetLocation();
  return true;
}

du::SmartPtr<tqk::ShapeInstance> Callout::GetShapeInstanceAtPos(unsigned int index)
{
  ReadLockGuard lock(*this);
  CalloutLeader* leader = LeaderAt(index);
  return leader ? leader->GetShapeInstance() : nullptr;
}

du::SmartPtr<tqk::BaseInstance> Callout::GetAssemblyInstanceAtPos(unsigned int index)
{
  ReadLockGuard lock(*this);
  CalloutLeader* leader = LeaderAt(index);
  return leader ? leader->GetAssemblyInstance() : nullptr;
}

std::string Callout::GetInstanceId() const
{
  ReadLockGuard lock(*this);
  CalloutLeader* leader = LeaderAt(0);
  return leader ? leader->GetShapeInstanceId() : std::string();
}

std::string Callout::GetShapeInstanceIdAtPos(unsigned int index)
{
  ReadLockGuard lock(*this);
  if (m_kind == CALLOUT_NOTE || index >= m_info.leaderRecords.size() || !m_info.leaderRecords[index])
    return std::string();
  return m_info.leaderRecords[index]->shapeInstanceId;
}

void Callout::GetLeaderInfoAtPos(unsigned int index, std::string& partId, std::string& assemblyId,
                                 dg::DPoint3D& anchor, bool& attached)
{
  ReadLockGuard lock(*this);
  CalloutLeader* leader = LeaderAt(index);
  if (!leader)
    return;
  partId = leader->GetShapeInstanceId();
  assemblyId = leader->GetAssemblyInstanceId();
  anchor = leader->GetAnchor();
  attached = !leader->IsDetached();
}

void Callout::GetMarkupLabelPosition(dg::DPoint3D& position)
{
  ReadLockGuard lock(*this);
  if (m_label)
    position = m_label->GetPos();
}

} // namespace tqannotations
