#include <tqannotations/Callout.h>

#include "callouts/MyMarkupData.h"
#include "common/ReadLockGuard.h"
#include "common/WriteLockGuard.h"

#include <dom/ObserverProxy.h>
#include <du/Localizer.h>
#include <du/WideString.h>
#include <tqannotations/ConstStrings.h>
#include <tqmk/CalloutLabel.h>

namespace tqannotations {
namespace {

// The host's annotation type of callouts.
const tqk::Annotation::AnnotationType kCalloutAnnotationType = 2;
const char* const kMessageCatalogue = "tqbase:tqmodulesStrings";
// How many characters of the text the object description shows.
const std::size_t kDescribedCharacters = 12;

dg::Color StartBlendColor()
{
  dg::Color blend(0.0f, 0.0f, 0.0f, 1.0f);
  blend.SetRGB(255, 255, 255);
  return blend;
}

//! A record is made when its leader is, and only its anchor follows the leader afterwards: the
//! copies of the records take the hidden and dim flags the leaders have now. The copies were
//! made without the source's empty records, so they are matched by counting the copied ones.
void TakeLeaderFlags(const std::vector<du::SmartPtr<CalloutLeader>>& leaders,
                     const std::vector<du::SmartPtr<CalloutLeaderInfo>>& records,
                     std::vector<du::SmartPtr<CalloutLeaderInfo>>& copies)
{
  std::size_t copied = 0;
  for (std::size_t index = 0; index < records.size() && copied < copies.size(); ++index) {
    if (!records[index])
      continue;
    CalloutLeaderInfo& copy = *copies[copied++];
    if (const CalloutLeader* leader = index < leaders.size() ? leaders[index].Get() : nullptr) {
      copy.hidden = leader->IsHidden();
      copy.dim = leader->IsDim();
    }
  }
}

} // namespace

Callout::Callout() : Annotation(kCalloutAnnotationType), m_blendColor(StartBlendColor())
{
  SetClass(ConstStrings::tqCalloutLabel);
  SetPreselectionCursor(ConstStrings::tqLabelPreselectionCursor);
}

Callout::Callout(const CalloutInfo& info)
    : Annotation(kCalloutAnnotationType), m_info(info), m_blendColor(StartBlendColor())
{
  SetClass(ConstStrings::tqCalloutLabel);
  SetPreselectionCursor(ConstStrings::tqLabelPreselectionCursor);
  m_label = CreateLabelMarkup(m_info.text);
  _SetShape();
}

Callout::Callout(const Callout& other)
    : du::RefCounted(other), Annotation(other), m_kind(other.m_kind.load()), m_scene(other.m_scene),
      m_leaders(other.m_leaders), m_initialized(other.m_initialized), m_labelInScene(other.m_labelInScene),
      m_subsetMarkups(other.m_subsetMarkups), m_info(other.m_info), m_label(other.m_label),
      m_definition(other.m_definition), m_itemId(other.m_itemId), m_hasItemId(other.m_hasItemId),
      m_dimLabel(other.m_dimLabel), m_kit(other.m_kit), m_visibleFromFile(other.m_visibleFromFile.load()),
      m_resolution(other.m_resolution), m_blendColor(other.m_blendColor), m_positionSet(other.m_positionSet)
{}

Callout::~Callout()
{
  m_definition.Reset();
  // The label may outlive the callout (a scene or a copy may hold it); drawing it then must not
  // reach back into this callout.
  MyMarkupData::ForgetCallout(m_label, *this);
  m_label.Reset();
}

du::Symbol Callout::GetClassStatic() { return ConstStrings::tqCalloutLabel; }

void Callout::GetBlendColor(const dg::Color& a, const dg::Color& b, dg::Color& out)
{
  out.Set((a.r + b.r) * 0.5f, (a.g + b.g) * 0.5f, (a.b + b.b) * 0.5f, 1.0f);
}

du::SmartPtr<tqk::Annotation> Callout::Clone() const
{
  ReadLockGuard lock(*this);
  du::SmartPtr<Callout> clone(new Callout(m_info));
  clone->m_kind = m_kind.load();
  clone->m_itemId = m_itemId;
  clone->m_hasItemId = m_hasItemId;
  clone->m_kit = m_kit;
  clone->m_initialized = m_initialized;
  clone->m_resolution = m_resolution;
  clone->m_blendColor = m_blendColor;
  clone->m_dimLabel = m_dimLabel;
  if (m_dimLabel)
    clone->UpdateLabelDim();
  if (m_definition)
    clone->m_definition = new TAnnotation(*m_definition);
  TakeLeaderFlags(m_leaders, m_info.leaderRecords, clone->m_info.leaderRecords);
  clone->SetCreatedFromFile(true);
  return clone;
}

bool Callout::IsEqual(const du::SmartPtr<tqk::Annotation>&) const { return false; }

void Callout::MarkupSelected(const du::SmartPtr<tqk::Markup>&, bool) {}

bool Callout::AllowGroupDrag() const { return true; }

int Callout::GetPageNum() const
{
  ReadLockGuard lock(*this);
  return m_info.pageNumber;
}

std::string Callout::GetShortObjectDescription() const
{
  WriteLockGuard lock(*this);
  const char* key = "2046";
  if (m_kind == CALLOUT_NOTE)
    key = "2049";
  else if (m_kind == CALLOUT_LEADERS)
    key = "2050";
  return du::Localizer(kMessageCatalogue).LocalizeMessage(key, du::Localizer::RETURN_KEY);
}

std::string Callout::GetObjectDescription() const
{
  WriteLockGuard lock(*this);
  std::string description = GetShortObjectDescription() + ": ";
  std::wstring text = du::Utf8ToWideStr(GetText());
  if (text.size() > kDescribedCharacters)
    text.resize(kDescribedCharacters);
  for (wchar_t& character : text)
    if (character == L'\r' || character == L'\n')
      character = L' ';
  return description + du::WideStrToUtf8(text);
}

bool Callout::IsInitialized() const
{
  ReadLockGuard lock(*this);
  return m_initialized;
}

const dg::DPoint3D& Callout::GetPosition() const
{
  ReadLockGuard lock(*this);
  return m_info.position;
}

std::string Callout::GetText() const
{
  ReadLockGuard lock(*this);
  return m_info.text.GetText();
}

std::string Callout::GetFontFace() const
{
  ReadLockGuard lock(*this);
  return m_info.fontFace.GetText();
}

float Callout::GetFontSize() const
{
  ReadLockGuard lock(*this);
  return m_info.fontSize;
}

bool Callout::GetFontPhys() const
{
  ReadLockGuard lock(*this);
  return m_info.physicalFontSize;
}

int Callout::GetFontUnit() const
{
  ReadLockGuard lock(*this);
  return m_info.textUnit;
}

dg::Color Callout::GetFontColor()
{
  ReadLockGuard lock(*this);
  return m_info.textColor;
}

dg::Color Callout::GetBackgroundColor()
{
  ReadLockGuard lock(*this);
  return m_info.fillColor;
}

tqmu::ModelNote::Shape Callout::GetShape() const
{
  ReadLockGuard lock(*this);
  return tqmu::ModelNote::Shape(m_info.shape);
}

int Callout::GetArrowStyle() const
{
  ReadLockGuard lock(*this);
  return m_info.arrowStyle;
}

float Callout::GetLineWidth() const
{
  ReadLockGuard lock(*this);
  return m_info.lineWeight;
}

int Callout::GetLineStipple() const
{
  ReadLockGuard lock(*this);
  return m_info.lineStipple;
}

dg::Color Callout::GetLineColor() const
{
  ReadLockGuard lock(*this);
  return m_info.lineColor;
}

bool Callout::GetHalo() const
{
  ReadLockGuard lock(*this);
  return m_info.halo;
}

void Callout::SetItemId(unsigned int id)
{
  WriteLockGuard lock(*this);
  m_itemId = id;
  m_hasItemId = true;
  m_kind = CALLOUT_ITEM;
}

void Callout::RemoveItemId()
{
  WriteLockGuard lock(*this);
  m_hasItemId = false;
  if (m_kind == CALLOUT_ITEM)
    m_kind = CALLOUT_LEADERS;
}

bool Callout::HasItemId() const
{
  ReadLockGuard lock(*this);
  return m_hasItemId;
}

bool Callout::HasItemId(unsigned int id) const
{
  ReadLockGuard lock(*this);
  unsigned int stored = 0;
  return GetItemId(stored) && stored == id;
}

bool Callout::GetItemId(unsigned int& id) const
{
  ReadLockGuard lock(*this);
  if (!m_hasItemId)
    return false;
  id = m_itemId;
  return true;
}

void Callout::SetAsKit(bool kit)
{
  WriteLockGuard lock(*this);
  m_kit = kit;
}

bool Callout::IsKit() const
{
  ReadLockGuard lock(*this);
  return m_kit;
}

bool Callout::RegisterObserver(du::SmartPtr<CalloutObserver>& observer)
{
  WriteLockGuard lock(*this);
  const du::SmartPtr<dom::ObserverProxy> proxy(new dom::ObserverProxy(observer));
  return dom::Observable::RegisterObserver(proxy);
}

bool Callout::UnregisterObserver(du::SmartPtr<CalloutObserver>& observer)
{
  WriteLockGuard lock(*this);
  const du::SmartPtr<dom::ObserverProxy> proxy(new dom::ObserverProxy(observer));
  return dom::Observable::DeregisterObserver(proxy);
}

} // namespace tqannotations
