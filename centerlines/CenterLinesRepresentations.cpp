#include "centerlines/FiniteCenterLineValues.h"
#include "common/ReadLockGuard.h"
#include "common/WriteLockGuard.h"

#include <moduleutils/NewLumbraDerivedCSys.h>
#include <tqannotations/CenterLinesAnnotation.h>
#include <tqannotations/MeasurementObserver.h>
#include <tqk/AnnoSet.h>
#include <tqk/Scene.h>

namespace tqannotations {

namespace {

// A jog list counts as taken once its first two points are real ones.
bool BeginsWithTwoPoints(const std::deque<dg::DPoint3D>& jogs)
{
  const auto isReal = [](const dg::DPoint3D& p) {
    return p.x != dg::DPoint3D::BAD.x || p.y != dg::DPoint3D::BAD.y || p.z != dg::DPoint3D::BAD.z;
  };
  return jogs.size() >= 2 && isReal(jogs[0]) && isReal(jogs[1]);
}

} // namespace

void CenterLinesAnnotation::DeriveRepresentationPlacement(dg::Location& placement, du::Symbol& partName)
{
  placement = dg::Location::IDENTITY;
  if (m_style.csysType == CenterStyle::CSYS_PICKED)
    placement = m_csys;
  else if (m_style.csysType == CenterStyle::CSYS_PART) {
    const du::SmartPtr<moduleutils::LumbraDerivedCSys> system =
        !m_slots.empty() && m_slots[0] && m_slots[0]->IsObjectValid()
            ? moduleutils::NewLumbraDerivedCSys(m_shapeScene, m_slots[0]->GetSelectionItem(),
                                                moduleutils::LumbraDerivedCSys::PLACEMENT)
            : nullptr;
    // Without a placement from the part, the stored one stands.
    if (system && system->IsValid())
      m_csys = system->GetPlacement();
    placement = m_csys;
  }
  partName = GetSlotID(0, true);
}

void CenterLinesAnnotation::AddRepresentation()
{
  WriteLockGuard lock(*this);
  dg::Location placement;
  du::Symbol partName;
  DeriveRepresentationPlacement(placement, partName);
  m_representations.push_back(
      new CenterLinesRepresentation(m_point1, m_point2, GetAttachedScene(), m_style, placement, partName));
}

void CenterLinesAnnotation::CreateRepresentations()
{
  WriteLockGuard lock(*this);
  m_representations.clear();
  AddRepresentation();
}

void CenterLinesAnnotation::UpdateRepresentations()
{
  WriteLockGuard lock(*this);
  dg::Location placement;
  du::Symbol partName;
  DeriveRepresentationPlacement(placement, partName);
  for (const du::SmartPtr<CenterLinesRepresentation>& representation : m_representations)
    if (representation)
      representation->UpdateInformation(m_point1, m_point2, m_style, placement, partName);
}

void CenterLinesAnnotation::CreateMarkup()
{
  WriteLockGuard lock(*this);
  RemoveMarkup();
  if (m_representations.empty())
    return;
  const du::SmartPtr<tqk::Scene> scene = GetAttachedScene();
  const du::SmartPtr<CenterLinesMarkup> holder(new CenterLinesMarkup);
  holder->SetController(this);
  for (const du::SmartPtr<CenterLinesRepresentation>& representation : m_representations) {
    if (!representation)
      continue;
    representation->SetScene(scene);
    if (!m_jogs.empty())
      representation->SetJogs(m_jogs);
    const du::SmartPtr<tqk::Markup> markup = representation->CreateMarkup(false);
    if (!m_jogsTaken) {
      representation->GetJogs(m_jogs);
      m_jogsTaken = BeginsWithTwoPoints(m_jogs);
    }
    if (markup)
      holder->AddChild(markup);
  }
  if (!IsVisible())
    HideAnnotation();
  if (scene) {
    holder->SetPageNum(GetPageNum());
    scene->AddMarkup(holder);
  }
  m_holder = holder;
  Post(new MeasurementObserver::MeasurementValidEvent(true));
}

void CenterLinesAnnotation::ReCalculateMarkup()
{
  WriteLockGuard lock(*this);
  if (!m_measured || !GetAttachedScene())
    return;
  CreateMarkup();
  const bool secondEndAttached = m_slotCount > 1 && m_slots[1] && m_slots[1]->IsObjectValid();
  for (const du::SmartPtr<CenterLinesRepresentation>& representation : m_representations)
    if (representation)
      representation->SetEndPointAttached(secondEndAttached);
}

void CenterLinesAnnotation::GetRepresentations(
    std::vector<du::SmartPtr<CenterLinesRepresentation>>& out) const
{
  ReadLockGuard lock(*this);
  out.clear();
  for (const du::SmartPtr<CenterLinesRepresentation>& representation : m_representations)
    if (representation)
      out.push_back(new CenterLinesRepresentation(*representation));
}

bool CenterLinesAnnotation::SetLineStyle(CenterStyle style, std::uint16_t mask)
{
  WriteLockGuard lock(*this);
  if (!IsFiniteUnder(style, mask) || m_style.Compare(style, mask))
    return false;
  m_style.Sync(style, mask);
  if (const du::SmartPtr<tqk::AnnoSet> set = GetAnnoSet())
    set->AnnotationModified(du::SmartPtr<tqk::Annotation>(this), true);
  CreateRepresentations();
  ReCalculateMarkup();
  Post(new MeasurementObserver::ParametersChangedEvent);
  return true;
}

void CenterLinesAnnotation::GetLineStyle(CenterStyle& style)
{
  ReadLockGuard lock(*this);
  style = m_style;
}

void CenterLinesAnnotation::GetCenterLinesInfo(CenterLinesInfo& info) const
{
  ReadLockGuard lock(*this);
  info.representationCount = 1;
  info.point1 = m_point1;
  info.point2 = m_point2;
  info.style = m_style;
  info.jogs = m_jogs;
  info.location1 = m_location1.GetPosition();
  info.location2 = m_location2.GetPosition();
  info.csys = m_csys;
}

void CenterLinesAnnotation::SetCenterLinesInfo(const CenterLinesInfo& info)
{
  if (!IsFinite(info))
    return;
  WriteLockGuard lock(*this);
  // An undo hands the slots back just before their snapshot.
  m_primaryIdentity.Take(m_slots.empty() ? nullptr : m_slots[0]);
  m_location1.SetPos(info.location1);
  m_location2.SetPos(info.location2);
  m_point1 = info.point1;
  m_point2 = info.point2;
  m_measured = true;
  m_hasEndPoints = true;
  m_style = info.style;
  m_csys = info.csys;
  m_representations.clear();
  for (unsigned i = 0; i < info.representationCount; ++i)
    AddRepresentation();
}

} // namespace tqannotations
