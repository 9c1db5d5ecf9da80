#include <tqannotations/CombinedCallout.h>

#include "common/ReadLockGuard.h"
#include "common/WriteLockGuard.h"

#include <tqk/Scene.h>
#include <tqmk/CalloutLabel.h>

#include <algorithm>

namespace tqannotations {

CombinedCallout::CombinedCallout() = default;

CombinedCallout::CombinedCallout(const CombinedCallout& other)
    : du::RefCounted(other), Callout(other), m_members(other.CurrentMembers())
{}

CombinedCallout::CombinedCallout(const Callout& plainClone) : du::RefCounted(plainClone), Callout(plainClone)
{
  // The copied label would call back into the plain clone, which goes away.
  m_label = CreateLabelMarkup(m_info.text);
  _SetShape();
  if (m_dimLabel)
    UpdateLabelDim();
  SetCreatedFromFile(true);
}

// The members go before the callout part, as members are declared last.
CombinedCallout::~CombinedCallout() = default;

void CombinedCallout::Initialize(Members& callouts)
{
  // Combined callouts do not nest: a member is saved as a plain callout, so a combined one would
  // lose its own members.
  const bool nested = std::any_of(callouts.begin(), callouts.end(), [](const du::SmartPtr<Callout>& member) {
    return dynamic_cast<const CombinedCallout*>(member.Get()) != nullptr;
  });
  if (callouts.empty() || nested)
    return;
  {
    WriteLockGuard lock(*this);
    m_members = callouts;
  }
  _Initialize(true, true);
}

void CombinedCallout::_Initialize(bool copyLook, bool makeLeaders)
{
  const Members members = CurrentMembers();
  if (copyLook && !CopyLook(members.empty() ? nullptr : members.front()))
    return;
  m_kind = CALLOUT_ITEM;
  if (makeLeaders)
    MakeLeader(members);
  WriteLockGuard lock(*this);
  m_initialized = true;
}

bool CombinedCallout::CopyLook(const du::SmartPtr<Callout>& first)
{
  const du::SmartPtr<TAnnotation> definition = first ? first->GetDefinition() : nullptr;
  if (!definition)
    return false;
  // The new label and leader replace the shown ones, which must not stay behind in the scene.
  TakeMarkupsOutOfScene();
  Callout::_Initialize(definition);
  SetShape(first->GetShape());
  SetBackgroundColor(first->GetBackgroundColor());
  SetFontColor(first->GetFontColor());
  SetFontSize(first->GetFontSize());
  SetArrowStyle(first->GetArrowStyle());
  SetLineWidth(first->GetLineWidth());
  SetLineColor(first->GetLineColor());
  SetLineStipple(first->GetLineStipple());
  SetHalo(first->GetHalo());
  return true;
}

namespace {

//! The first member whose first leader stands on a part. A member without one (a note, or a
//! loaded member whose leaders are not rebuilt yet) has nothing for a leader to point at.
CombinedCallout::Members::const_iterator LeaderSupplier(const CombinedCallout::Members& members)
{
  return std::find_if(members.begin(), members.end(), [](const du::SmartPtr<Callout>& member) {
    return member && member->GetShapeInstanceAtPos(0);
  });
}

} // namespace

bool CombinedCallout::AwaitsRebuild(const du::SmartPtr<Callout>& member)
{
  if (!member || member->GetType() == CALLOUT_NOTE)
    return false;
  ReadLockGuard lock(*member);
  return member->HasRecordWithoutLeader();
}

void CombinedCallout::MakeLeader(const Members& members)
{
  const auto supplier = LeaderSupplier(members);
  if (supplier == members.end())
    return;
  Callout& member = **supplier;
  dg::DPoint3D anchor = dg::DPoint3D::ORIGIN;
  member.GetAnchorAtPos(0, anchor);
  const du::SmartPtr<CalloutLeader> leader =
      CreateCalloutLeader(anchor, member.GetShapeInstanceAtPos(0), member.GetAssemblyInstanceAtPos(0));
  if (member.IsDimAtPos(0)) {
    leader->SetDim(true);
    UpdateLeaderDim(leader);
  }
  leader->SetHidden(member.IsHiddenAtPos(0));
  AppendLeader(leader);
  SetLabelPosition(member.GetPosition());
}

unsigned int CombinedCallout::GetCount() { return unsigned(CurrentMembers().size()); }

bool CombinedCallout::HasItemId() const
{
  const Members members = CurrentMembers();
  return std::any_of(members.begin(), members.end(),
                     [](const du::SmartPtr<Callout>& member) { return member && member->HasItemId(); });
}

bool CombinedCallout::HasItemId(unsigned int id)
{
  const Members members = CurrentMembers();
  return std::any_of(members.begin(), members.end(),
                     [id](const du::SmartPtr<Callout>& member) { return member && member->HasItemId(id); });
}

du::SmartPtr<Callout> CombinedCallout::RemoveItemId(unsigned int id)
{
  const Members members = CurrentMembers();
  if (members.size() < 2)
    return nullptr;
  const auto found = std::find_if(members.begin(), members.end(), [id](const du::SmartPtr<Callout>& member) {
    return member && member->HasItemId(id);
  });
  if (found == members.end())
    return nullptr;
  const du::SmartPtr<Callout> removed = *found;
  const auto eraseRemoved = [this, &removed] {
    WriteLockGuard lock(*this);
    const auto position = std::find(m_members.begin(), m_members.end(), removed);
    if (position != m_members.end())
      m_members.erase(position);
  };
  // A loaded combined callout keeps the leader and look it was saved with while the remaining
  // members' leaders wait to be rebuilt in a shape scene: a rebuild now would lose that leader.
  Members remaining = members;
  remaining.erase(std::find(remaining.begin(), remaining.end(), removed));
  const bool keepsSavedLeader = LeaderSupplier(remaining) == remaining.end() &&
                                std::any_of(remaining.begin(), remaining.end(), AwaitsRebuild);
  const bool standsOnCombinedLeader = GetShapeInstanceAtPos(0) == removed->GetShapeInstanceAtPos(0);
  if (keepsSavedLeader || !standsOnCombinedLeader) {
    eraseRemoved();
    return removed;
  }
  du::SmartPtr<tqk::Scene> scene;
  {
    ReadLockGuard lock(*this);
    scene = m_scene;
  }
  DetachScene();
  eraseRemoved();
  _Initialize(true, true);
  if (scene)
    AttachScene(scene);
  return removed;
}

std::vector<du::SmartPtr<tqk::Object>> CombinedCallout::GetAssociatedObjects() const
{
  std::vector<du::SmartPtr<tqk::Object>> objects;
  for (const du::SmartPtr<Callout>& member : CurrentMembers()) {
    if (!member)
      continue;
    const std::vector<du::SmartPtr<tqk::Object>> memberObjects = member->GetAssociatedObjects();
    objects.insert(objects.end(), memberObjects.begin(), memberObjects.end());
  }
  return objects;
}

du::SmartPtr<tqk::Annotation> CombinedCallout::Clone() const
{
  const auto plain = du::SmartPtr<Callout>::DynamicCast(Callout::Clone());
  du::SmartPtr<CombinedCallout> clone(new CombinedCallout(*plain));
  for (const du::SmartPtr<Callout>& member : CurrentMembers())
    clone->m_members.push_back(member ? du::SmartPtr<Callout>::DynamicCast(member->Clone()) : nullptr);
  return clone;
}

CombinedCallout::Members CombinedCallout::CurrentMembers() const
{
  ReadLockGuard lock(*this);
  return m_members;
}

} // namespace tqannotations
