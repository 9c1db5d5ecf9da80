#include <tqannotations/CalloutOperationStep.h>

#include <tqannotations/Callout.h>

#include <du/AssembleArgs.h>
#include <du/Localizer.h>

namespace tqannotations {
namespace {

const char* const kMessageCatalogue = "tqbase:tqmodulesStrings";
const char* const kEditMessageKey = "68";

} // namespace

CalloutOperationStep::CalloutOperationStep(const du::SmartPtr<Callout>& callout) : m_callout(callout)
{
  if (!m_callout)
    return;
  m_oldInfo.text = du::Symbol(m_callout->GetText());
  m_oldInfo.fontSize = m_callout->GetFontSize();
  m_oldInfo.textColor = m_callout->GetFontColor();
  m_oldInfo.shape = int(m_callout->GetShape());
  m_oldInfo.fillColor = m_callout->GetBackgroundColor();
  m_oldInfo.lineStipple = m_callout->GetLineStipple();
  m_oldInfo.lineWeight = m_callout->GetLineWidth();
  m_oldInfo.lineColor = m_callout->GetLineColor();
  m_oldInfo.arrowStyle = m_callout->GetArrowStyle();
  m_oldInfo.halo = m_callout->GetHalo();
}

// The snapshots are copied as they stand: CalloutInfo's own copy constructor would take some
// values only under its valid-field mask and convert the font size.
CalloutOperationStep::CalloutOperationStep(const CalloutOperationStep& other)
    : tqk::OperationStep(other), m_callout(other.m_callout), m_changeMask(other.m_changeMask)
{
  m_oldInfo = other.m_oldInfo;
  m_newInfo = other.m_newInfo;
}

CalloutOperationStep& CalloutOperationStep::operator=(const CalloutOperationStep& other)
{
  m_callout = other.m_callout;
  m_changeMask = other.m_changeMask;
  m_oldInfo = other.m_oldInfo;
  m_newInfo = other.m_newInfo;
  return *this;
}

CalloutOperationStep::~CalloutOperationStep() = default;

template <typename Value>
void CalloutOperationStep::Report(const Value& value, const Value& old, Value& reported, ChangedField field)
{
  if (value == old) // a NaN on either side counts as a change
    return;
  m_changeMask |= field;
  reported = value;
}

// Each setter marks its field only when the value differs from the one the step started from;
// a value reported back to the old one keeps an earlier mark and value.

void CalloutOperationStep::SetText(const du::Symbol& text)
{
  Report(text, m_oldInfo.text, m_newInfo.text, TEXT);
}

void CalloutOperationStep::SetFontSize(float size)
{
  Report(size, m_oldInfo.fontSize, m_newInfo.fontSize, FONT_SIZE);
}

void CalloutOperationStep::SetFontColor(const dg::Color& color)
{
  Report(color, m_oldInfo.textColor, m_newInfo.textColor, FONT_COLOR);
}

void CalloutOperationStep::SetFillColor(const dg::Color& color)
{
  Report(color, m_oldInfo.fillColor, m_newInfo.fillColor, FILL_COLOR);
}

void CalloutOperationStep::SetShape(int shape) { Report(shape, m_oldInfo.shape, m_newInfo.shape, SHAPE); }

void CalloutOperationStep::SetLineStipple(int stipple)
{
  Report(stipple, m_oldInfo.lineStipple, m_newInfo.lineStipple, LINE_STIPPLE);
}

void CalloutOperationStep::SetLineWeight(float weight)
{
  Report(weight, m_oldInfo.lineWeight, m_newInfo.lineWeight, LINE_WEIGHT);
}

void CalloutOperationStep::SetLineColor(const dg::Color& color)
{
  Report(color, m_oldInfo.lineColor, m_newInfo.lineColor, LINE_COLOR);
}

void CalloutOperationStep::SetHead(int arrowStyle)
{
  Report(arrowStyle, m_oldInfo.arrowStyle, m_newInfo.arrowStyle, HEAD);
}

void CalloutOperationStep::SetHalo(bool halo) { Report(halo, m_oldInfo.halo, m_newInfo.halo, HALO); }

void CalloutOperationStep::Undo() { Apply(m_oldInfo); }

void CalloutOperationStep::Redo() { Apply(m_newInfo); }

void CalloutOperationStep::Apply(const CalloutInfo& values)
{
  if (!m_callout)
    return;
  Callout& callout = *m_callout;
  if (m_changeMask & TEXT)
    callout.SetText(values.text);
  if (m_changeMask & FONT_SIZE)
    callout.SetFontSize(values.fontSize);
  if (m_changeMask & FONT_COLOR)
    callout.SetFontColor(values.textColor);
  if (m_changeMask & SHAPE)
    callout.SetShape(tqmu::ModelNote::Shape(values.shape));
  if (m_changeMask & FILL_COLOR)
    callout.SetBackgroundColor(values.fillColor);
  if (m_changeMask & LINE_STIPPLE)
    callout.SetLineStipple(values.lineStipple);
  if (m_changeMask & LINE_WEIGHT)
    callout.SetLineWidth(values.lineWeight);
  if (m_changeMask & LINE_COLOR)
    callout.SetLineColor(values.lineColor);
  if (m_changeMask & HEAD)
    callout.SetArrowStyle(values.arrowStyle);
  if (m_changeMask & HALO)
    callout.SetHalo(values.halo);
  callout.NotifyCalloutChanged();
}

du::Symbol CalloutOperationStep::GetOperationName()
{
  if (!(m_changeMask & ALL_FIELDS) || !m_callout)
    return du::Symbol::EMPTY;
  const du::AssembleArgs args("%s", m_callout->GetShortObjectDescription());
  return du::Symbol(
      du::Localizer(kMessageCatalogue).LocalizeMessage(kEditMessageKey, du::Localizer::RETURN_KEY, args));
}

} // namespace tqannotations
