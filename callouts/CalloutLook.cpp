#include <tqannotations/Callout.h>

#include "callouts/CalloutUnits.h"
#include "callouts/MyMarkupData.h"
#include "common/ReadLockGuard.h"
#include "common/ValueOperators.h"
#include "common/WriteLockGuard.h"

#include <du/WideString.h>
#include <tqk/AnnoSet.h>
#include <tqk/Scene.h>
#include <tqmk/CalloutLabel.h>
#include <tqmu/ModelLeaderLine.h>
#include <tqmu/RenderAttrs.h>

#include <algorithm>
#include <cmath>

namespace tqannotations {
namespace {

// How much of its own colour a dimmed leader or label keeps against the blend colour.
const float kDimmedShare = 0.25f;
const float kDimmedLeaderAlpha = 0.3f;
const float kDimmedFillAlpha = 0.5f;
const float kDimmedTextAlpha = 1.0f;

dg::Color Dimmed(const dg::Color& color, const dg::Color& blend, float alpha)
{
  return dg::Color(blend.r + (color.r - blend.r) * kDimmedShare, blend.g + (color.g - blend.g) * kDimmedShare,
                   blend.b + (color.b - blend.b) * kDimmedShare, alpha);
}

//! The shape the label draws: the known frames as they are, anything else as a circle.
tqmu::ModelNote::Shape DrawnShape(int code)
{
  switch (code) {
  case tqmu::ModelNote::SQUARE:
  case tqmu::ModelNote::RECTANGLE:
  case tqmu::ModelNote::HEXAGON:
  case tqmu::ModelNote::TRIANGLE_UP:
  case tqmu::ModelNote::TRIANGLE_DOWN:
  case tqmu::ModelNote::ROUNDED_RECTANGLE:
  case tqmu::ModelNote::NO_SHAPE: return tqmu::ModelNote::Shape(code);
  default: return tqmu::ModelNote::CIRCLE;
  }
}

float ResolutionOf(const TAnnotation& definition) { return definition.dpi > 0.0f ? definition.dpi : 96.0f; }

float FontSizeOf(const TAnnotation& definition)
{
  return ToPoints(definition.GetFontSizeUnit(), definition.GetFontSize());
}

float LineWidthOf(const TAnnotation& definition)
{
  return DrawableLineWidth(ToPoints(definition.GetLineWidthUnit(), definition.GetLineWidth()));
}

//! Whether every document can hold the text: well-formed UTF-8 (which the host's conversion keeps
//! as it is) without NUL, U+FFFE or U+FFFF, the characters no XML can carry. Text a callout could
//! not save would make the whole document it is in unsavable.
bool IsStorable(const std::string& text)
{
  const std::wstring wide = du::Utf8ToWideStr(text);
  return du::WideStrToUtf8(wide) == text && std::none_of(wide.begin(), wide.end(), [](wchar_t c) {
           return c == 0 || c == 0xFFFE || c == 0xFFFF;
         });
}

} // namespace

void Callout::_Initialize(const du::SmartPtr<TAnnotation>& definition)
{
  if (!definition)
    return;
  WriteLockGuard lock(*this);
  m_definition = new TAnnotation(*definition);
  m_resolution = ResolutionOf(*m_definition);
  // An item or combined callout placed again stays one: it keeps its item id or its members, and
  // its kind is read back from them when it is loaded.
  const bool item = m_kind == CALLOUT_ITEM || m_hasItemId;
  m_kind = !m_definition->hasLeaders ? CALLOUT_NOTE : item ? CALLOUT_ITEM : CALLOUT_LEADERS;
  m_leaders.clear();
  m_info.leaderRecords.clear();
  m_info.position = dg::DPoint3D::ORIGIN;
  m_info.textColor = m_definition->GetTextColor();
  m_info.fillColor = m_definition->GetFillColor();
  m_info.fontSize = FontSizeOf(*m_definition);
  m_info.arrowStyle = m_definition->GetArrowStyle();
  m_info.lineWeight = LineWidthOf(*m_definition);
  m_info.lineStipple = m_definition->GetLineStipple();
  m_info.lineColor = m_definition->GetLineColor();
  m_info.halo = m_definition->GetHalo();
  m_info.fontFace = du::Symbol(m_definition->GetTextFace());
  m_info.shape = m_definition->GetShape();
  MyMarkupData::ForgetCallout(m_label, *this);
  m_label = CreateLabelMarkup(m_info.text);
  // The new label is drawn as dimmed as it is saved.
  if (m_dimLabel)
    UpdateLabelDim();
  _SetShape();
}

du::SmartPtr<tqmk::CalloutLabel> Callout::CreateLabelMarkup(const du::Symbol& text)
{
  du::SmartPtr<tqmk::CalloutLabel> label(new tqmk::CalloutLabel);
  du::SmartPtr<MyMarkupData> content(new MyMarkupData(label.Get(), this));
  content->SetModelBase(label->GetNote());
  label->SetContent(content, false);
  label->SetText(text.GetText());
  m_info.text = text;
  label->SetTextColor(m_info.textColor);
  label->SetFillColor(m_info.fillColor);
  label->SetFontSize(m_info.fontSize);
  label->SetPageNum(m_info.pageNumber);
  label->SetShape(DrawnShape(m_info.shape));
  return label;
}

void Callout::_SetShape()
{
  if (!m_label)
    return;
  m_label->SetShape(DrawnShape(m_info.shape));
  // A frameless label cut its leaders short at its text box while it was drawn; a framed one is
  // not drawn that way, so its leaders start at its position again.
  if (DrawnShape(m_info.shape) == tqmu::ModelNote::NO_SHAPE)
    return;
  for (const du::SmartPtr<CalloutLeader>& leader : m_leaders)
    if (leader)
      leader->MovePoint(0, m_label->GetPos());
}

void Callout::UpdateDefinition(const du::SmartPtr<TAnnotation>& definition)
{
  if (!definition)
    return;
  WriteLockGuard lock(*this);
  const du::SmartPtr<TAnnotation> previous = m_definition;
  const float previousResolution = m_resolution;
  m_definition = new TAnnotation(*definition);
  m_resolution = ResolutionOf(*m_definition);
  ApplyDefinitionLook(previous.Get());
  // The same width in points is another width in pixels at another resolution.
  if (previous && m_resolution != previousResolution)
    SetLineWidth(m_info.lineWeight);
  if (!m_label) {
    m_label = CreateLabelMarkup(m_info.text);
    if (m_dimLabel)
      UpdateLabelDim();
  }
}

void Callout::ApplyDefinitionLook(const TAnnotation* previous)
{
  const TAnnotation& next = *m_definition;
  if (!previous || previous->GetTextColor() != next.GetTextColor()) {
    m_info.textColor = next.GetTextColor();
    if (m_label) {
      m_label->SetTextColor(m_info.textColor);
      if (m_dimLabel)
        UpdateLabelDim();
    }
  }
  if (!previous || previous->GetFillColor() != next.GetFillColor()) {
    m_info.fillColor = next.GetFillColor();
    if (m_label) {
      m_label->SetFillColor(m_info.fillColor);
      if (m_dimLabel)
        UpdateLabelDim();
    }
  }
  const float fontSize = FontSizeOf(next);
  if (!previous || fontSize != m_info.fontSize) {
    m_info.fontSize = fontSize;
    if (m_label)
      m_label->SetFontSize(fontSize);
  }
  if (!previous || previous->GetArrowStyle() != next.GetArrowStyle())
    SetArrowStyle(next.GetArrowStyle());
  const float lineWidth = LineWidthOf(next);
  if (!previous || lineWidth != m_info.lineWeight)
    SetLineWidth(lineWidth);
  if (!previous || previous->GetLineStipple() != next.GetLineStipple())
    SetLineStipple(next.GetLineStipple());
  if (!previous || previous->GetLineColor() != next.GetLineColor())
    SetLineColor(next.GetLineColor());
  if (!previous || previous->GetHalo() != next.GetHalo())
    SetHalo(next.GetHalo());
  m_info.fontFace = du::Symbol(next.GetTextFace());
  if (!previous || previous->GetShape() != next.GetShape()) {
    m_info.shape = next.GetShape();
    _SetShape();
  }
}

void Callout::SetFontSize(float size)
{
  if (!std::isfinite(size))
    return;
  WriteLockGuard lock(*this);
  m_info.fontSize = size;
  if (m_label)
    m_label->SetFontSize(size);
}

void Callout::SetFontFace(const std::string& face)
{
  if (!IsStorable(face))
    return;
  WriteLockGuard lock(*this);
  m_info.fontFace = du::Symbol(face);
}

void Callout::SetFontColor(const dg::Color& color)
{
  if (!dg::IsFinite(color))
    return;
  WriteLockGuard lock(*this);
  m_info.textColor = color;
  if (!m_label)
    return;
  m_label->SetTextColor(color);
  if (m_dimLabel)
    UpdateLabelDim();
}

void Callout::SetBackgroundColor(const dg::Color& color)
{
  if (!dg::IsFinite(color))
    return;
  WriteLockGuard lock(*this);
  m_info.fillColor = color;
  if (!m_label)
    return;
  m_label->SetFillColor(color);
  if (m_dimLabel)
    UpdateLabelDim();
}

void Callout::SetShape(tqmu::ModelNote::Shape shape)
{
  WriteLockGuard lock(*this);
  m_info.shape = shape;
  _SetShape();
}

void Callout::SetArrowStyle(int style)
{
  WriteLockGuard lock(*this);
  m_info.arrowStyle = style;
  for (const du::SmartPtr<CalloutLeader>& leader : m_leaders)
    if (leader)
      leader->SetArrowStyle(tqmu::ModelLeaderLine::ArrowType(style));
}

void Callout::SetLineWidth(float points)
{
  if (!std::isfinite(points))
    return;
  WriteLockGuard lock(*this);
  m_info.lineWeight = DrawableLineWidth(points);
  const int pixels = PixelWidth(m_info.lineWeight, m_resolution);
  for (const du::SmartPtr<CalloutLeader>& leader : m_leaders) {
    if (!leader)
      continue;
    leader->SetLineWidth(pixels);
    leader->MatchArrowsToWidth();
  }
}

void Callout::SetLineColor(const dg::Color& color)
{
  if (!dg::IsFinite(color))
    return;
  WriteLockGuard lock(*this);
  m_info.lineColor = color;
  for (const du::SmartPtr<CalloutLeader>& leader : m_leaders) {
    if (!leader)
      continue;
    leader->SetLineColor(color);
    UpdateLeaderDim(leader);
  }
}

void Callout::SetLineStipple(int stipple)
{
  WriteLockGuard lock(*this);
  m_info.lineStipple = stipple;
  for (const du::SmartPtr<CalloutLeader>& leader : m_leaders)
    if (leader)
      leader->SetStipple(tqmu::RenderAttrs::LineStipple(stipple));
}

void Callout::SetHalo(bool halo)
{
  WriteLockGuard lock(*this);
  m_info.halo = halo;
  for (const du::SmartPtr<CalloutLeader>& leader : m_leaders)
    if (leader)
      leader->SetHalo(halo && !leader->IsDim());
}

void Callout::SetText(const du::Symbol& text)
{
  if (!IsStorable(text.GetText()))
    return;
  {
    WriteLockGuard lock(*this);
    m_info.text = text.IsEmpty() ? du::Symbol(" ") : text;
    // Under the lock, so that two writers cannot leave the label showing another text than the
    // one stored, and the host, which draws the label under the lock, never copies a text
    // while it is assigned.
    if (m_label)
      m_label->SetText(m_info.text.GetText());
  }
  NotifyCalloutChanged();
}

void Callout::SetDimAtPos(bool dim, unsigned int index, const dg::Color& blend)
{
  if (!dg::IsFinite(blend))
    return;
  WriteLockGuard lock(*this);
  m_blendColor = blend;
  if (index < m_leaders.size() && m_leaders[index]) {
    m_leaders[index]->SetDim(dim);
    UpdateLeaderDim(m_leaders[index]);
  }
  if (m_leaders.size() >= 2 && dim)
    for (const du::SmartPtr<CalloutLeader>& leader : m_leaders)
      if (leader && !leader->IsHidden() && !leader->IsDetached() && !leader->IsDim())
        return;
  m_dimLabel = dim;
  UpdateLabelDim();
}

bool Callout::IsDimAtPos(unsigned int index) const
{
  ReadLockGuard lock(*this);
  return index < m_leaders.size() && m_leaders[index] && m_leaders[index]->IsDim();
}

void Callout::UpdateLeaderDim(const du::SmartPtr<CalloutLeader>& leader)
{
  // Public, so the host may call it beside the look setters; the callers inside hold the write
  // side already or no side at all.
  WriteLockGuard lock(*this);
  if (!leader)
    return;
  if (!leader->IsDim()) {
    leader->SetLineColor(m_info.lineColor);
    leader->SetHalo(m_info.halo);
    return;
  }
  leader->SetLineColor(Dimmed(m_info.lineColor, m_blendColor, kDimmedLeaderAlpha));
  leader->SetHalo(false);
}

void Callout::UpdateLabelDim()
{
  // As UpdateLeaderDim: the label's colours must not be written while a setter writes them.
  WriteLockGuard lock(*this);
  if (!m_label)
    return;
  if (!m_dimLabel) {
    m_label->SetFillColor(m_info.fillColor);
    m_label->SetTextColor(m_info.textColor);
  } else {
    m_label->SetFillColor(Dimmed(m_info.fillColor, m_blendColor, kDimmedFillAlpha));
    m_label->SetTextColor(Dimmed(m_info.textColor, m_blendColor, kDimmedTextAlpha));
  }
  if (const auto note = m_label->GetNote())
    note->GetRenderAttrsVector().dim = m_dimLabel ? 1 : 0;
}

void Callout::SetHiddenAsDashedAtPos(bool dashed, unsigned int index)
{
  // The host may call it from any thread while leaders are added; no caller holds the read side.
  WriteLockGuard lock(*this);
  if (m_kind == CALLOUT_NOTE || index >= m_leaders.size() || !m_leaders[index])
    return;
  m_leaders[index]->SetHiddenAsDashed(dashed);
}

void Callout::NotifyCalloutChanged()
{
  du::SmartPtr<tqk::Scene> scene;
  {
    ReadLockGuard lock(*this);
    scene = m_scene;
  }
  if (!scene)
    return;
  if (const du::SmartPtr<tqk::AnnoSet> annoSet = scene->GetAnnoSet())
    annoSet->AnnotationModified(this, true);
}

} // namespace tqannotations
