#include <tqannotations/Callout.h>

#include "common/ReadLockGuard.h"
#include "common/WriteLockGuard.h"

#include <tqk/ShapeScene.h>
#include <tqk/ShapeView.h>
#include <tqk/World.h>
#include <tqk/illustration/SbomInstance.h>
#include <tqk/illustration/SbomTree.h>
#include <tqmk/CalloutLabel.h>

namespace tqannotations {
namespace {

//! Whether the leader belongs to the subset: every leader for the empty subset, else the leaders
//! whose part has that id.
bool InSubset(CalloutLeader& leader, const std::string& subset)
{
  return subset.empty() || leader.GetShapeInstanceId() == subset;
}

//! The structure-tree instance of the record's part, or null when the tree does not know the part
//! id or the engineering instance behind it is missing.
du::SmartPtr<tqk::illustration::SbomInstance> ResolveRecord(const CalloutLeaderInfo& record,
                                                            const tqk::illustration::SbomTree& tree)
{
  const auto structureInstance = tree.FindInstance(du::Symbol(record.shapeInstanceId));
  if (!structureInstance || !structureInstance->GetMissingEbomInstancePathId().IsEmpty())
    return nullptr;
  return structureInstance;
}

//! The part that shows the structure instance in the scene, visible or not.
du::SmartPtr<tqk::ShapeInstance> PartInScene(const tqk::illustration::SbomInstance& structureInstance,
                                             const tqk::ShapeScene& scene)
{
  du::SmartPtr<tqk::ShapeInstance> part;
  scene.GetShapeInstance(structureInstance.GetEbomInstance(), part);
  return part;
}

} // namespace

void Callout::SetScene(const du::SmartPtr<tqk::ShapeScene>& scene)
{
  // Readers copy the scene reference under the lock; swapping it under them would tear it.
  WriteLockGuard lock(*this);
  if (!(m_scene == scene))
    m_scene = scene;
}

bool Callout::AttachScene(const du::SmartPtr<tqk::Scene>& scene)
{
  if (!scene)
    return DetachScene();
  bool shownElsewhere = false;
  {
    ReadLockGuard lock(*this);
    shownElsewhere = m_scene && !(m_scene == scene);
  }
  if (shownElsewhere)
    DetachScene();
  bool rebuild = false;
  {
    WriteLockGuard lock(*this);
    const bool changed = !(m_scene == scene);
    if (changed)
      m_scene = scene;
    if (const auto view = du::SmartPtr<tqk::ShapeView>::DynamicCast(scene->GetView(0))) {
      dg::Color first(0, 0, 0, 1);
      dg::Color second(0, 0, 0, 1);
      dg::Color third(0, 0, 0, 1);
      view->GetBackgroundColors(first, second, third);
      const dg::Color was = m_blendColor;
      GetBlendColor(first, second, m_blendColor);
      // What was dimmed before the view was known (a combined callout's leader, a loaded label)
      // was blended towards another colour.
      if (m_blendColor != was) {
        for (const du::SmartPtr<CalloutLeader>& leader : m_leaders)
          if (leader && leader->IsDim())
            UpdateLeaderDim(leader);
        if (m_dimLabel)
          UpdateLabelDim();
      }
    }
    if (m_kind == CALLOUT_NOTE) {
      if (m_label && !m_labelInScene) {
        // A note cloned or made from a snapshot holds its position, but its label was never put there.
        if (!m_positionSet)
          m_label->SetPos(m_info.position);
        m_label->SetScene(scene);
        m_label->SetController(this);
        scene->AddMarkup(m_label);
        m_labelInScene = true;
        m_label->BringToFront();
      }
      return tqk::Annotation::AttachScene(scene);
    }
    // A callout loaded again while attached keeps its scene but has no leaders left to show.
    rebuild = changed || (m_leaders.empty() && !m_info.leaderRecords.empty());
  }
  if (rebuild)
    UpdateWithCalloutInfo();
  bool hasLeaders = false;
  {
    // Other threads may be adding leaders meanwhile.
    ReadLockGuard lock(*this);
    hasLeaders = !m_leaders.empty();
  }
  if (hasLeaders)
    AttachSubsetScene(scene, std::string());
  return tqk::Annotation::AttachScene(scene);
}

bool Callout::DetachScene()
{
  {
    WriteLockGuard lock(*this);
    TakeMarkupsOutOfScene();
    m_scene.Reset();
  }
  return tqk::Annotation::DetachScene();
}

bool Callout::AttachSubsetScene(const du::SmartPtr<tqk::Scene>& scene, std::string subset)
{
  WriteLockGuard lock(*this);
  if (!scene) {
    if (m_scene)
      DetachSubsetScene(subset);
    return true;
  }
  if (!(m_scene == scene))
    m_scene = scene;
  unsigned added = 0;
  for (const du::SmartPtr<CalloutLeader>& leader : m_leaders) {
    if (!leader || !InSubset(*leader, subset))
      continue;
    const du::SmartPtr<tqk::ShapeInstance> part = leader->GetShapeInstance();
    if (!part || !part->IsVisible() || !leader->IsDetached() || leader->IsHidden())
      continue;
    leader->SetController(this);
    // A leader made while the callout is hidden, such as one rebuilt on loading, hides with it.
    if (!IsVisible())
      leader->SetVisibility(false);
    m_scene->AddMarkup(leader);
    leader->SetDetached(false);
    ++added;
  }
  // A label not placed yet while leader 0 is missing has no known space and would sit at the
  // scene's origin; it waits for an attach that can place it (see GetLabelPlacement).
  const bool labelPlaceable = m_positionSet || m_kind == CALLOUT_NOTE || LeaderAt(0);
  if (added > 0) {
    if (m_label && !m_labelInScene && labelPlaceable) {
      m_label->SetScene(m_scene);
      m_label->SetController(this);
      m_scene->AddMarkup(m_label);
      m_labelInScene = true;
    }
    NotifyCalloutChanged();
  }
  if (m_label && m_labelInScene)
    m_label->BringToFront();
  return true;
}

bool Callout::DetachSubsetScene(std::string subset)
{
  WriteLockGuard lock(*this);
  LeadersDetachScene(subset);
  if (m_kind != CALLOUT_NOTE)
    for (const du::SmartPtr<CalloutLeader>& leader : m_leaders)
      if (leader && !leader->IsDetached())
        return true;
  if (m_labelInScene) {
    m_label->SetController(nullptr);
    if (m_scene)
      m_scene->RemoveMarkup(m_label);
    m_labelInScene = false;
  }
  return true;
}

void Callout::LeadersDetachScene(std::string subset)
{
  bool changed = false;
  for (const du::SmartPtr<CalloutLeader>& leader : m_leaders) {
    if (!leader || !InSubset(*leader, subset) || leader->IsDetached())
      continue;
    leader->SetController(nullptr);
    if (m_scene)
      m_scene->RemoveMarkup(leader);
    leader->SetDetached(true);
    changed = true;
  }
  if (changed)
    NotifyCalloutChanged();
}

void Callout::TakeMarkupsOutOfScene()
{
  // Once every leader has left, nothing keeps the label in the scene, a note's label included.
  DetachSubsetScene(std::string());
}

void Callout::SetVisible(std::string subset, bool visible)
{
  if (visible) {
    du::SmartPtr<tqk::Scene> scene;
    {
      ReadLockGuard lock(*this);
      scene = m_scene;
    }
    AttachSubsetScene(scene, subset);
  } else
    DetachSubsetScene(subset);
}

unsigned int Callout::UpdateWithCalloutInfo()
{
  // The label goes to its stored position unless it was placed before.
  const auto placeLabelOnce = [this] {
    dg::DPoint3D position;
    {
      ReadLockGuard lock(*this);
      if (m_positionSet)
        return;
      position = m_info.position;
    }
    SetLabelPosition(position);
  };
  du::SmartPtr<tqk::Scene> stored;
  {
    ReadLockGuard lock(*this);
    stored = m_scene;
  }
  if (!stored)
    return 0;
  if (m_kind == CALLOUT_NOTE) {
    placeLabelOnce();
    return 0;
  }
  const auto scene = du::SmartPtr<tqk::ShapeScene>::DynamicCast(stored);
  const auto tree = tqk::illustration::SbomTree::Get(tqk::World::GetWorld(), false, false);
  if (!scene || !tree)
    return 0;
  unsigned int unresolved = 0;
  {
    WriteLockGuard lock(*this);
    if (!HasRecordWithoutLeader())
      return 0;
    // Leaders and records stay paired by index: a record without a leader keeps an empty slot,
    // to be retried in the next scene.
    m_leaders.resize(m_info.leaderRecords.size());
    for (std::size_t index = 0; index < m_info.leaderRecords.size(); ++index) {
      const du::SmartPtr<CalloutLeaderInfo>& record = m_info.leaderRecords[index];
      if (record && !m_leaders[index])
        m_leaders[index] = RebuildLeader(*record, *scene, *tree, unresolved);
    }
  }
  placeLabelOnce();
  return unresolved;
}

bool Callout::GetLabelPlacement(dg::Location& placement)
{
  if (GetInstanceLocationAtPos(placement, 0))
    return true;
  du::SmartPtr<CalloutLeaderInfo> firstRecord;
  du::SmartPtr<tqk::Scene> scene;
  {
    ReadLockGuard lock(*this);
    if (LeaderAt(0) || m_info.leaderRecords.empty())
      return false;
    firstRecord = m_info.leaderRecords[0];
    scene = m_scene;
  }
  // The label position is stored in the space of leader 0's part. A hidden part still has its
  // placement, so the label goes where it would with the leader shown. A part missing from the
  // scene leaves the label's space unknown: the label stays unplaced, and AttachSubsetScene keeps
  // it out of the scene until a later attach can place it.
  const auto shapeScene = du::SmartPtr<tqk::ShapeScene>::DynamicCast(scene);
  const auto tree = tqk::illustration::SbomTree::Get(tqk::World::GetWorld(), false, false);
  if (!firstRecord || !shapeScene || !tree)
    return false;
  const auto structureInstance = ResolveRecord(*firstRecord, *tree);
  const du::SmartPtr<tqk::ShapeInstance> part =
      structureInstance ? PartInScene(*structureInstance, *shapeScene) : nullptr;
  if (!part)
    return false;
  placement = part->GetLocation();
  return true;
}

bool Callout::HasRecordWithoutLeader() const
{
  for (std::size_t index = 0; index < m_info.leaderRecords.size(); ++index)
    if (m_info.leaderRecords[index] && (index >= m_leaders.size() || !m_leaders[index]))
      return true;
  return false;
}

du::SmartPtr<CalloutLeader> Callout::RebuildLeader(const CalloutLeaderInfo& record,
                                                   const tqk::ShapeScene& scene,
                                                   const tqk::illustration::SbomTree& tree,
                                                   unsigned int& unresolved)
{
  const auto structureInstance = ResolveRecord(record, tree);
  if (!structureInstance) {
    ++unresolved;
    return nullptr;
  }
  const du::SmartPtr<tqk::ShapeInstance> part = PartInScene(*structureInstance, scene);
  if (!part || !part->IsVisible())
    return nullptr;
  du::SmartPtr<tqk::BaseInstance> assembly;
  if (!record.assemblyInstanceId.empty()) {
    assembly = tree.FindInstance(du::Symbol(record.assemblyInstanceId));
    if (!assembly)
      return nullptr;
  }
  du::SmartPtr<CalloutLeader> leader = CreateCalloutLeader(record.anchor, part, assembly);
  // A label placed before this leader could be rebuilt is not placed again, so the leader is
  // started where the label is drawn rather than at the stored position in its part's space.
  if (m_positionSet && m_label)
    leader->MovePoint(0, m_label->GetPos());
  if (record.dim) {
    leader->SetDim(true);
    UpdateLeaderDim(leader);
  }
  leader->SetHidden(record.hidden);
  return leader;
}

// The host draws the markups under the write side, reading their visibility and selection.
void Callout::ShowAnnotation()
{
  WriteLockGuard lock(*this);
  if (m_label)
    m_label->SetVisibility(true);
  for (const du::SmartPtr<CalloutLeader>& leader : m_leaders)
    if (leader)
      leader->SetVisibility(true);
}

void Callout::HideAnnotation()
{
  WriteLockGuard lock(*this);
  if (m_subsetMarkups.empty() || (m_label && m_subsetMarkups.count(m_label.Get()))) {
    if (m_label)
      m_label->SetVisibility(false);
    for (const du::SmartPtr<CalloutLeader>& leader : m_leaders)
      if (leader)
        leader->SetVisibility(false);
    return;
  }
  std::size_t hidden = 0;
  for (tqk::Markup* markup : m_subsetMarkups) {
    markup->SetVisibility(false);
    ++hidden;
  }
  if (hidden == m_leaders.size() && m_label)
    m_label->SetVisibility(false);
}

void Callout::OnSetSelected(bool selected, const du::SmartPtr<tqk::View>& view)
{
  WriteLockGuard lock(*this);
  if (m_subsetMarkups.empty()) {
    if (m_label)
      m_label->SetSelected(selected, view);
    for (const du::SmartPtr<CalloutLeader>& leader : m_leaders)
      if (leader)
        leader->SetSelected(selected, view);
    return;
  }
  for (tqk::Markup* markup : m_subsetMarkups)
    if (dynamic_cast<tqmk::CalloutLabel*>(markup) || dynamic_cast<CalloutLeader*>(markup))
      markup->SetSelected(selected, view);
}

} // namespace tqannotations
