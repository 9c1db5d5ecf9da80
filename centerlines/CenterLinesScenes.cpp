#include "common/ReadLockGuard.h"
#include "common/WriteLockGuard.h"

#include <du/AssembleArgs.h>
#include <du/Localizer.h>
#include <tqannotations/CenterLinesAnnotation.h>
#include <tqannotations/ConstStrings.h>
#include <tqannotations/MeasurementObserver.h>
#include <tqk/Scene.h>
#include <tqk/SelectionItem.h>
#include <tqk/ShapeInstance.h>
#include <tqk/ShapeScene.h>

#include <set>
#include <vector>

namespace tqannotations {

namespace {

const char* const kMessages = "tqbase:tqmodulesStrings";
const char* const kDescriptionKey = "2045"; // a center line whose first item has no name
const char* const kMarkupNameKey = "5601";  // "%d": the markup's number, from 1

} // namespace

bool CenterLinesAnnotation::AttachScene(const du::SmartPtr<tqk::Scene>& scene)
{
  WriteLockGuard lock(*this);
  if (scene == GetAttachedScene())
    return true;
  // The holder of the old scene leaves it before the line moves on.
  if (m_holder)
    RemoveMarkup();
  AssocAnnotation::AttachScene(scene);
  // Also a line not drawn yet lets the old scene go.
  for (const du::SmartPtr<CenterLinesRepresentation>& representation : m_representations)
    if (representation)
      representation->SetScene(scene);
  if (scene && m_measured)
    CreateMarkup();
  return true;
}

bool CenterLinesAnnotation::DetachScene()
{
  WriteLockGuard lock(*this);
  RemoveMarkup();
  // No scene stays alive through the representations of a detached line.
  for (const du::SmartPtr<CenterLinesRepresentation>& representation : m_representations)
    if (representation)
      representation->SetScene(nullptr);
  AssocAnnotation::DetachScene();
  return true;
}

void CenterLinesAnnotation::RemoveMarkup()
{
  WriteLockGuard lock(*this);
  if (m_holder) {
    const du::SmartPtr<CenterLinesMarkup> holder = m_holder;
    holder->SetController(nullptr);
    if (const du::SmartPtr<tqk::Scene> scene = GetAttachedScene())
      scene->RemoveMarkup(holder);
    for (const du::SmartPtr<CenterLinesRepresentation>& representation : m_representations)
      holder->RemoveChild(representation);
    m_holder.Reset();
  }
  Post(new MeasurementObserver::MeasurementValidEvent(false));
}

void CenterLinesAnnotation::HideAnnotation()
{
  WriteLockGuard lock(*this);
  for (const du::SmartPtr<CenterLinesRepresentation>& representation : m_representations)
    if (representation)
      representation->ShowMarkup(false);
}

void CenterLinesAnnotation::ShowAnnotation()
{
  std::set<du::SmartPtr<tqk::Instance>> hidden;
  du::SmartPtr<tqk::ShapeScene> shapeScene;
  {
    WriteLockGuard lock(*this);
    // Showing the parts tells the scene's listeners, this line among them, which may show the
    // line again: that nested call has nothing left to do.
    if (m_showingParts)
      return;
    for (const du::SmartPtr<CenterLinesRepresentation>& representation : m_representations)
      if (representation)
        representation->ShowMarkup(true);
    shapeScene = m_shapeScene;
    if (!m_style.attached || m_slots.empty() || !m_slots[0] || !shapeScene)
      return;
    std::set<du::SmartPtr<tqk::Instance>> instances;
    GetTQKInstanceList(0, instances);
    for (const du::SmartPtr<tqk::Instance>& instance : instances) {
      const du::SmartPtr<tqk::ShapeInstance> part =
          instance ? shapeScene->GetShapeInstance(instance) : nullptr;
      if (part && !part->IsVisible())
        hidden.insert(instance);
    }
    if (hidden.empty())
      return;
    m_showingParts = true;
  }
  // Without the lock: the scene tells every line of the scene, whose locks must never wait on
  // this one's.
  struct ShowingEnds
  {
    CenterLinesAnnotation& line;
    ~ShowingEnds()
    {
      WriteLockGuard lock(line);
      line.m_showingParts = false;
    }
  } showingEnds{*this};
  shapeScene->SetVisibility(hidden, true, true);
}

void CenterLinesAnnotation::OnSetSelected(bool selected, const du::SmartPtr<tqk::View>& view)
{
  // The state is compared under the lock: a change from another thread must not slip in between.
  WriteLockGuard lock(*this);
  if (selected == m_selected)
    return;
  for (const du::SmartPtr<CenterLinesRepresentation>& representation : m_representations)
    if (representation)
      representation->SetSelected(selected, view);
  m_selected = selected;
}

bool CenterLinesAnnotation::AddView(const du::SmartPtr<tqk::View>& view)
{
  WriteLockGuard lock(*this);
  tqk::Annotation::AddView(view);
  GetViewBounds();
  return true;
}

du::Symbol CenterLinesAnnotation::GetIconName() const { return ConstStrings::tqExplodeLineIcon; }

void CenterLinesAnnotation::OnSetActiveUnits(int) { Post(new MeasurementObserver::ParametersChangedEvent); }

std::string CenterLinesAnnotation::GetMarkupName(unsigned index) const
{
  return du::Localizer(kMessages).LocalizeMessage(kMarkupNameKey, du::Localizer::RETURN_KEY,
                                                  du::AssembleArgs("%d", static_cast<int>(index + 1)));
}

std::string CenterLinesAnnotation::GetObjectDescription() const
{
  ReadLockGuard lock(*this);
  const du::Symbol name = SlotNameAt(0);
  if (name != du::Symbol::EMPTY)
    return name.GetText();
  return du::Localizer(kMessages).LocalizeMessage(kDescriptionKey, du::Localizer::RETURN_KEY);
}

bool CenterLinesAnnotation::IsEqual(const du::SmartPtr<tqk::Annotation>& other) const
{
  const auto line = du::SmartPtr<CenterLinesAnnotation>::DynamicCast(other);
  if (!line)
    return false;
  // The base's comparison of the picked items, with each line's slots read under its own lock,
  // one line after the other: picking replaces them under the write side, and holding both locks
  // at once could deadlock with a comparison the other way round.
  const auto picked = [](const CenterLinesAnnotation& of) {
    ReadLockGuard lock(of);
    std::vector<du::SmartPtr<tqk::SelectionItem>> items;
    for (const du::SmartPtr<SlotObject>& slot : of.m_slots)
      items.push_back(slot ? slot->GetSelectionItem() : nullptr);
    return items;
  };
  if (line->GetAnnotationType() != GetAnnotationType() || line->GetClass() != GetClass() ||
      picked(*line) != picked(*this))
    return false;
  CenterLinesInfo theirs;
  line->GetCenterLinesInfo(theirs);
  CenterLinesInfo mine;
  GetCenterLinesInfo(mine);
  return ComparePoints(theirs.point1, mine.point1) && ComparePoints(theirs.point2, mine.point2) &&
         theirs.representationCount == mine.representationCount && theirs.style == mine.style;
}

bool CenterLinesAnnotation::CheckVisibility()
{
  const du::SmartPtr<SlotObject> first = m_slots.empty() ? nullptr : m_slots[0];
  if (!first || !first->IsObjectValid() || !first->GetShapeInstance())
    return false;
  OnShapeInstancesAppearanceModified(ShapeInstances{first->GetShapeInstance()});
  return true;
}

bool CenterLinesAnnotation::IsAttachedShapeSelected()
{
  // Read under the lock: other threads may restyle the line meanwhile.
  ReadLockGuard lock(*this);
  const du::SmartPtr<SlotObject> first = m_slots.empty() ? nullptr : m_slots[0];
  if (!m_style.attached || !first || !first->IsObjectValid() || !first->GetShapeInstance())
    return true;
  return first->GetShapeInstance()->IsSelected();
}

} // namespace tqannotations
