#include "centerlines/FiniteCenterLineValues.h"
#include "common/SharedHeaderKeys.h"
#include "common/ValueOperators.h"
#include "common/WriteLockGuard.h"

#include <dg/LengthUnit.h>
#include <tqannotations/CenterLinesRepresentation.h>
#include <tqmk/CenterLineXYZ.h>
#include <tqmk/CenterLineXYZShadow.h>

#include <algorithm>
#include <vector>

namespace tqannotations {

namespace {

// How the child is drawn, in the host's numbers: the kind of annotation it belongs to and its
// drawing plane.
constexpr int kCenterLineAnnotationType = 6;
constexpr int kCenterLinePlane = 2;
constexpr float kStippleScale = 4.0f;
constexpr float kPixelsPerInch = 96.0f;
// Widths are capped before they become whole pixels, so that no width overflows the integer.
constexpr float kWidestLine = 10000.0f;

} // namespace

CenterLinesRepresentation::CenterLinesRepresentation(const dg::DPoint3D& point1, const dg::DPoint3D& point2,
                                                     const du::SmartPtr<tqk::Scene>& scene, CenterStyle style,
                                                     dg::Location placement, du::Symbol partName)
    : m_scene(scene), m_point1(point1), m_point2(point2), m_style(style), m_placement(placement),
      m_partName(partName)
{}

CenterLinesRepresentation::CenterLinesRepresentation(const CenterLinesRepresentation& other)
    : du::RefCounted(), tqmk::Markup(), m_scene(other.m_scene), m_point1(other.m_point1),
      m_point2(other.m_point2), m_jogs(other.m_jogs), m_style(other.m_style), m_placement(other.m_placement),
      m_partName(other.m_partName)
{}

CenterLinesRepresentation::~CenterLinesRepresentation() = default;

du::SmartPtr<tqk::Markup> CenterLinesRepresentation::CreateMarkup(bool)
{
  if (!m_child) {
    const du::SmartPtr<tqmk::CenterLineXYZ> child(new tqmk::CenterLineXYZ);
    child->SetPoints(DrawnPolyline());
    child->SetObjectName(m_partName);
    child->SetVisibility(true);
    child->SetAnnotationType(kCenterLineAnnotationType);
    child->SetPlane(kCenterLinePlane);
    if (m_style.allwaysInFront)
      child->ShowHiddenLinesAsDashed(true);
    child->GetModel()->SetDrawOnTop(true);
    child->GetModel()->SetLineWidth(0.0f);
    child->GetModel()->SetStippleScale(0.0f);
    // Codes pass as stored, as the callouts' do, also those this version does not know: the
    // host's enums hold any int, and how an unknown code draws is the host's to decide.
    child->SetArrowStyle(static_cast<tqmu::ModelLeaderLine::ArrowType>(m_style.arrowType));
    child->SetStipple(static_cast<tqmu::RenderAttrs::LineStipple>(m_style.lineStyle));
    child->SetLineWidth(GetLIneWeightInPixels());
    child->MatchArrowsToWidth();
    child->SetLineColor(m_style.strokeColor);
    child->SetHalo(m_style.isHalo);
    child->SetStippleScale(kStippleScale);
    AddChild(child);
    m_child = child.Get();
  }
  return du::SmartPtr<tqk::Markup>(this);
}

void CenterLinesRepresentation::RefreshPoints()
{
  if (m_child)
    m_child->SetPoints(DrawnPolyline());
}

std::vector<dg::DPoint3D> CenterLinesRepresentation::DrawnPolyline() const
{
  dg::DPoint3D first;
  dg::DPoint3D second;
  GetPoints(first, second);
  std::vector<dg::DPoint3D> points;
  tqmk::CenterLineXYZ::BuildPoints(first, second, m_style.alongXYZ, m_style.lineExtent1, m_style.lineExtent2,
                                   m_style.dragFactor, m_placement, m_style.xyzOrder, points);
  return points;
}

bool CenterLinesRepresentation::MoveMarkup(const tqmk::CenterLineXYZShadow* shadow)
{
  WriteLockGuard lock(*this);
  if (!shadow || !m_child)
    return true;
  const std::vector<dg::DPoint3D>& dragged = shadow->GetPoints();
  for (std::size_t i = 0; i < dragged.size(); ++i)
    m_child->MovePoint(static_cast<int>(i), dragged[i]);
  // Only a polyline with its extension points has its ends at 1 and count - 2.
  if (dragged.size() >= 4) {
    const dg::DVec3 secondMoved = dragged[dragged.size() - 2] - m_point2;
    if (dg::DPoint3D(secondMoved) != m_style.anchorOffset)
      m_style.anchorOffset = secondMoved;
    const dg::DVec3 firstMoved = dragged[1] - m_point1;
    if (dg::DPoint3D(firstMoved) != m_style.endpointOffset)
      m_style.endpointOffset = firstMoved;
  }
  if (m_style.alongXYZ)
    m_style.dragFactor = m_child->GetDragFactor();
  RefreshPoints();
  return true;
}

void CenterLinesRepresentation::UpdateInformation(const dg::DPoint3D& point1, const dg::DPoint3D& point2,
                                                  CenterStyle style, dg::Location placement,
                                                  du::Symbol partName)
{
  if (!dg::IsFinite(point1) || !dg::IsFinite(point2) || !IsFinite(style) || !dg::IsFinite(placement))
    return;
  m_style = style;
  m_placement = placement;
  m_partName = partName;
  m_point1 = point1;
  m_point2 = point2;
  if (m_child && m_scene)
    if (const du::SmartPtr<tqk::Markup> shadow = m_child->GetShadow())
      shadow->SetVisibility(false);
  RefreshPoints();
}

void CenterLinesRepresentation::GetPoints(dg::DPoint3D& first, dg::DPoint3D& second) const
{
  first = m_point1 + dg::DVec3(m_style.endpointOffset);
  second = m_point2 + dg::DVec3(m_style.anchorOffset);
}

int CenterLinesRepresentation::GetLIneWeightInPixels()
{
  const double inches =
      dg::LengthUnit::Convert(dg::LengthUnit::POINT, dg::LengthUnit::INCH, m_style.lineWidth, 1);
  const float pixels = static_cast<float>(inches) * kPixelsPerInch + 0.5f;
  // Also true for a width that is not a number.
  if (!(pixels >= 1.0f))
    return 1;
  return static_cast<int>(std::min(pixels, kWidestLine));
}

bool CenterLinesRepresentation::GetDragFactor(float& factor)
{
  if (m_style.alongXYZ && m_child)
    factor = m_child->GetDragFactor();
  return true;
}

bool CenterLinesRepresentation::GetOriginOffset(dg::DPoint3D& offset)
{
  if (m_child)
    offset = m_style.anchorOffset;
  return true;
}

bool CenterLinesRepresentation::GetEndPointOffset(dg::DPoint3D& offset)
{
  if (m_child)
    offset = m_style.endpointOffset;
  return true;
}

bool CenterLinesRepresentation::GetStartExtention(float& extension)
{
  if (m_child)
    extension = m_style.lineExtent1 = static_cast<float>(m_child->GetStartExtension());
  return true;
}

bool CenterLinesRepresentation::GetEndExtention(float& extension)
{
  if (m_child)
    extension = m_style.lineExtent2 = static_cast<float>(m_child->GetEndExtension());
  return true;
}

void CenterLinesRepresentation::SetEndPointAttached(bool attached)
{
  if (m_child)
    m_child->SetEndPointAttached(attached);
}

void CenterLinesRepresentation::ShowMarkup(bool visible)
{
  if (m_child)
    m_child->SetVisibility(visible);
}

void CenterLinesRepresentation::SetSelected(bool selected, const du::SmartPtr<tqk::View>& view)
{
  if (m_child)
    m_child->SetSelected(selected, view);
}

bool CenterLinesRepresentation::OwnsMarkup(du::SmartPtr<tqk::Markup> markup)
{
  return m_child && markup == du::SmartPtr<tqk::Markup>(m_child);
}

bool CenterLinesRepresentation::HasValidMarkups() { return m_child != nullptr; }

dg::DPoint3D CenterLinesRepresentation::GetLeaderPoints(unsigned int index)
{
  if (!m_child)
    return dg::DVec3::ZERO;
  const std::vector<dg::DPoint3D> points = m_child->GetPoints();
  return index < points.size() ? points[index] : dg::DPoint3D(dg::DVec3::ZERO);
}

void CenterLinesRepresentation::SetScene(const du::SmartPtr<tqk::Scene>& scene) { m_scene = scene; }

void CenterLinesRepresentation::GetJogs(std::deque<dg::DPoint3D>& jogs) { jogs = m_jogs; }

void CenterLinesRepresentation::SetJogs(std::deque<dg::DPoint3D> jogs)
{
  if (std::all_of(jogs.begin(), jogs.end(), [](const dg::DPoint3D& jog) { return dg::IsFinite(jog); }))
    m_jogs = std::move(jogs);
}

du::Symbol& CenterLinesRepresentation::GetPartID() { return m_partName; }

} // namespace tqannotations
