#include <tqannotations/Callout.h>

#include "common/ReadLockGuard.h"
#include "common/SharedHeaderKeys.h"
#include "common/ValueOperators.h"
#include "common/WriteLockGuard.h"

#include <tqk/SerializedContentElement.h>
#include <tqk/SerializedContentVisitor.h>
#include <tqmk/CalloutLabel.h>

#include <cmath>

namespace tqannotations {
namespace {

// One more header key that this unit shares with the host's structure-tree units.
const du::Symbol kHeaderSbomInstance("SbomInstance");

// The keys and element names of a callout's saved content; documents depend on their texts.
const du::Symbol kPosition("position");
const du::Symbol kDisplayText("displaytext");
const du::Symbol kFontPhys("fontphys");
const du::Symbol kFontSize("fontsize");
const du::Symbol kTextFace("textface");
const du::Symbol kTextColor("textcolor");
const du::Symbol kFillColor("fillcolor");
const du::Symbol kShape("shape");
const du::Symbol kTextUnit("textunit");
const du::Symbol kPageNum("pagenum");
const du::Symbol kAnchor("anchor");
const du::Symbol kShapeId("shapeid");
const du::Symbol kAsmId("asmid");
const du::Symbol kIsAsm("isasm");
const du::Symbol kIsDetached("isdetached");
const du::Symbol kIsHidden("ishidden");
const du::Symbol kAnnoVisible("annoVisible");
const du::Symbol kType("type");
const du::Symbol kHalo("halo");
const du::Symbol kIsKit("iskit");
const du::Symbol kLineWeight("lineweight");
const du::Symbol kLineStipple("linestipple");
const du::Symbol kLineColor("linecolor");
const du::Symbol kArrowStyle("arrowstyle");
const du::Symbol kCanEdit("canEdit");
const du::Symbol kDefId("defid");
const du::Symbol kDefName("defname");
const du::Symbol kDefDpi("defdpi");
const du::Symbol kItemListId("itemListId");
const du::Symbol kFixedText("fixedText");
const du::Symbol kGroup("group");
const du::Symbol kPropName("propName");
const du::Symbol kBlendColor("blendColor");
const du::Symbol kDimLabel("dimLabel");
const du::Symbol kDimLeader("dimLeader");
const du::Symbol kUseProperty("useProperty");
const du::Symbol kLeader("leader");
const du::Symbol kLabel("label");
const du::Symbol kFixed("fixed");
const du::Symbol kCalloutVersion("calloutVersion");
const du::Symbol kId("id");

// The text unit code of points: the font size is saved in points.
const std::int32_t kTextUnitPoints = 3;

//! Reads a callout's saved content into a definition rebuilt from it, the values, the leader
//! records and the label's content items. Every value the content may lack starts defined.
class SerializedContentVisitor : public tqk::SerializedContentVisitor
{
public:
  SerializedContentVisitor() : definition(new TAnnotation), line(new LineStyle), label(new TLabel)
  {
    definition->leaders = new TLeaders;
    definition->leaders->styles.push_back(line);
    definition->label = label;
  }

  using tqk::SerializedContentVisitor::Visit;

  bool StartElement(const du::Symbol& name, tqk::SerializedContentElement*) override
  {
    if (name == kLeader)
      leader = CalloutLeaderInfo();
    else if (name == kUseProperty)
      group = propertyName = du::Symbol::EMPTY;
    return true;
  }

  bool EndElement(const du::Symbol& name) override
  {
    if (name == kLeader)
      leaderRecords.push_back(new CalloutLeaderInfo(leader));
    else if (name == kUseProperty && !group.IsEmpty() && !propertyName.IsEmpty())
      items.push_back(new LabelContent(group.GetText(), propertyName.GetText(), label->text));
    return true;
  }

  void Visit(const du::Symbol& key, bool value) override
  {
    if (key == kHalo)
      line->halo = value;
    else if (key == kIsKit)
      kit = value;
    else if (key == kFontPhys)
      physicalFontSize = value;
    else if (key == kCanEdit)
      label->canEdit = value;
    else if (key == kIsDetached)
      leader.attached = !value;
    else if (key == kIsHidden)
      leader.hidden = value;
    else if (key == kAnnoVisible)
      visible = value;
    else if (key == kDimLabel)
      dimLabel = value;
    else if (key == kDimLeader)
      leader.dim = value;
  }

  void Visit(const du::Symbol& key, float value) override
  {
    // A number that is not finite would be drawn and saved again as it is: it is taken as absent.
    if (!std::isfinite(value))
      return;
    // The line style's unit stays pixels, so the callout takes the stored points unconverted.
    if (key == kLineWeight)
      line->weight = value;
    else if (key == kFontSize)
      label->text.size = value;
    else if (key == kDefDpi)
      definition->dpi = value;
  }

  void Visit(const du::Symbol& key, std::int32_t value) override
  {
    if (key == kType) {
      kind = value;
      definition->hasLeaders = value != Callout::CALLOUT_NOTE;
    } else if (key == kLineStipple) {
      line->dashes = value;
    } else if (key == kArrowStyle) {
      line->arrowStyle = value;
    } else if (key == kTextUnit) {
      label->text.sizeUnit = value;
    } else if (key == kShape) {
      label->shape = value;
    } else if (key == kPageNum) {
      pageNumber = value;
    }
  }

  void Visit(const du::Symbol& key, const dg::Color& value) override
  {
    if (!dg::IsFinite(value))
      return;
    if (key == kLineColor)
      line->color = value.GetAsHex();
    else if (key == kTextColor)
      label->text.color = value.GetAsHex();
    else if (key == kFillColor)
      label->fillColor = value.GetAsHex();
    else if (key == kBlendColor)
      blendColor = value;
  }

  void Visit(const du::Symbol& key, const dg::DPoint3D& value) override
  {
    // A point that is not finite would be drawn and saved again as it is: it is taken as absent.
    if (!dg::IsFinite(value))
      return;
    if (key == kPosition)
      position = value;
    else if (key == kAnchor)
      leader.anchor = value;
  }

  void Visit(const du::Symbol& key, std::uint64_t value) override
  {
    if (key == kId)
      annotationId = value;
  }

  void Visit(const du::Symbol& key, std::uint32_t value) override
  {
    if (key == kItemListId) {
      hasItemId = true;
      itemId = value;
    }
  }

  void Visit(const du::Symbol& key, const du::Symbol& value) override
  {
    if (key == kDisplayText)
      displayText = value;
    else if (key == kShapeId)
      leader.shapeInstanceId = value.GetText();
    else if (key == kAsmId)
      leader.assemblyInstanceId = value.GetText();
    else if (key == kFixedText)
      items.push_back(new LabelContent(value.GetText(), label->text));
    else if (key == kGroup)
      group = value;
    else if (key == kPropName)
      propertyName = value;
    else if (key == kDefId)
      definition->id = value.GetText();
    else if (key == kDefName)
      definition->name = value.GetText();
    else if (key == kTextFace)
      label->text.font = value.GetText();
  }

  bool hasItemId = false;
  unsigned itemId = 0;
  bool kit = false;
  bool visible = true;
  bool dimLabel = false;
  bool physicalFontSize = true;
  dg::DPoint3D position = dg::DPoint3D::ORIGIN;
  int pageNumber = 0;
  int kind = Callout::CALLOUT_LEADERS;
  du::Symbol displayText = du::Symbol(" ");
  du::Symbol group;
  du::Symbol propertyName;
  dg::Color blendColor = dg::Color::WHITE;
  std::uint64_t annotationId = 0;
  du::SmartPtr<TAnnotation> definition;
  du::SmartPtr<LineStyle> line;
  du::SmartPtr<TLabel> label;
  CalloutLeaderInfo leader;
  std::vector<du::SmartPtr<CalloutLeaderInfo>> leaderRecords;
  std::vector<du::SmartPtr<LabelContent>> items;
};

//! Rewrites the part and assembly ids of "leader" elements through an old-to-new id map.
class SbomIdContentVisitor : public tqk::SerializedContentVisitor
{
public:
  explicit SbomIdContentVisitor(const du::HashMap<du::Symbol, du::Symbol>& ids) : m_ids(ids) {}

  using tqk::SerializedContentVisitor::Visit;

  bool StartElement(const du::Symbol& name, tqk::SerializedContentElement* element) override
  {
    if (name == kLeader)
      m_leader = element;
    return true;
  }

  bool EndElement(const du::Symbol&) override
  {
    m_leader = nullptr;
    return true;
  }

  void Visit(const du::Symbol& key, const du::Symbol& value) override
  {
    if (!m_leader || (key != kShapeId && key != kAsmId))
      return;
    const auto found = m_ids.find(value);
    if (found != m_ids.end())
      m_leader->ChangeCurrentProperty(found->second);
  }

private:
  const du::HashMap<du::Symbol, du::Symbol>& m_ids;
  tqk::SerializedContentElement* m_leader = nullptr;
};

void WriteLeader(tqk::SerializedContentElement& element, const dg::DPoint3D& anchor,
                 const std::string& partId, const std::string& assemblyId, bool detached, bool hidden,
                 bool dim)
{
  tqk::SerializedContentElement& leader = element.StartContent(kLeader);
  leader.AddProperty(kAnchor, anchor);
  leader.AddProperty(kShapeId, du::Symbol(partId));
  leader.AddProperty(kIsAsm, !assemblyId.empty());
  if (!assemblyId.empty())
    leader.AddProperty(kAsmId, du::Symbol(assemblyId));
  leader.AddProperty(kIsDetached, detached);
  leader.AddProperty(kIsHidden, hidden);
  leader.AddProperty(kDimLeader, dim);
  element.EndContent();
}

} // namespace

void Callout::Visit(tqk::SerializedContentElement& element) const
{
  ReadLockGuard lock(*this);
  // A callout the host built from a snapshot was never placed or loaded, yet once shown it is
  // part of the picture and must be saved with it.
  if (!m_initialized && !m_labelInScene)
    return;
  WriteContent(element.StartContent(GetClassStatic()));
  element.EndContent();
}

void Callout::WriteContent(tqk::SerializedContentElement& element) const
{
  // Writing changes nothing of the callout; only its declaration is not const.
  const_cast<Callout*>(this)->SerializeContent(element);
}

void Callout::SerializeContent(tqk::SerializedContentElement& element)
{
  ReadLockGuard lock(*this);
  tqk::Annotation::Visit(element);
  element.AddProperty(kCalloutVersion, true);
  unsigned itemId = 0;
  if (GetItemId(itemId))
    element.AddProperty(kItemListId, std::uint32_t(itemId));
  element.AddProperty(kType, std::int32_t(GetType()));
  element.AddProperty(kAnnoVisible, IsVisible());
  element.AddProperty(kPosition, GetPosition());
  element.AddProperty(kDisplayText, m_info.text);
  element.AddProperty(kHalo, GetHalo());
  element.AddProperty(kIsKit, IsKit());
  element.AddProperty(kLineWeight, GetLineWidth());
  element.AddProperty(kLineStipple, std::int32_t(GetLineStipple()));
  element.AddProperty(kArrowStyle, std::int32_t(GetArrowStyle()));
  element.AddProperty(kLineColor, GetLineColor());
  element.AddProperty(kFontPhys, GetFontPhys());
  element.AddProperty(kFontSize, GetFontSize());
  element.AddProperty(kTextColor, m_info.textColor);
  // The font size is kept in points whatever unit the callout was built with; the unit it was
  // built with would have the reader convert the size a second time.
  element.AddProperty(kTextUnit, kTextUnitPoints);
  element.AddProperty(kTextFace, m_info.fontFace);
  element.AddProperty(kFillColor, m_info.fillColor);
  element.AddProperty(kBlendColor, m_blendColor);
  element.AddProperty(kDimLabel, m_dimLabel);
  element.AddProperty(kShape, std::int32_t(GetShape()));
  element.AddProperty(kPageNum, std::int32_t(GetPageNum()));
  if (const du::SmartPtr<TAnnotation> definition = GetDefinition()) {
    element.AddProperty(kDefId, du::Symbol(definition->id));
    element.AddProperty(kDefName, du::Symbol(definition->name));
    // Line widths are drawn in pixels at this resolution; a document written before it was kept
    // loads at the default one.
    element.AddProperty(kDefDpi, definition->dpi);
  }
  SerializeLabel(element);
  if (m_kind != CALLOUT_NOTE)
    SerializeLeaders(element);
}

void Callout::SerializeLabel(tqk::SerializedContentElement& element) const
{
  tqk::SerializedContentElement& label = element.StartContent(kLabel);
  if (m_definition) {
    if (m_definition->label)
      label.AddProperty(kCanEdit, m_definition->label->canEdit);
    std::vector<du::SmartPtr<LabelContent>> items;
    m_definition->GetTextContent(items);
    for (const du::SmartPtr<LabelContent>& item : items) {
      if (!item)
        continue;
      // Items of a kind this version does not know are left out rather than guessed at.
      if (item->isProperty == 1) {
        tqk::SerializedContentElement& property = label.StartContent(kUseProperty);
        property.AddProperty(kGroup, du::Symbol(item->text));
        property.AddProperty(kPropName, du::Symbol(item->propertyName));
        label.EndContent();
      } else if (item->isProperty == 0 && !item->text.empty()) {
        label.StartContent(kFixed).AddProperty(kFixedText, du::Symbol(item->text));
        label.EndContent();
      }
    }
  }
  element.EndContent();
}

void Callout::SerializeLeaders(tqk::SerializedContentElement& element) const
{
  // One element per record, from the record's leader where it has one, so that the records
  // that could not be rebuilt in this scene are kept for the next one.
  const std::size_t count = std::max(m_leaders.size(), m_info.leaderRecords.size());
  for (std::size_t index = 0; index < count; ++index) {
    CalloutLeader* leader = index < m_leaders.size() ? m_leaders[index].Get() : nullptr;
    if (leader) {
      WriteLeader(element, leader->GetAnchor(), leader->GetShapeInstanceId(), leader->GetAssemblyInstanceId(),
                  leader->IsDetached(), leader->IsHidden(), leader->IsDim());
      continue;
    }
    const CalloutLeaderInfo* record =
        index < m_info.leaderRecords.size() ? m_info.leaderRecords[index].Get() : nullptr;
    if (record)
      WriteLeader(element, record->anchor, record->shapeInstanceId, record->assemblyInstanceId,
                  !record->attached, record->hidden, record->dim);
  }
}

bool Callout::InitializeFromSerializedContent(const tqk::SerializedContentElement* element)
{
  if (!element)
    return false;
  WriteLockGuard lock(*this);
  // Qualified: inside a callout, the plain name is the host annotation's own reader.
  tqannotations::SerializedContentVisitor reader;
  element->Visit(reader);
  TakeMarkupsOutOfScene();
  _Initialize(reader.definition);
  m_initialized = true;
  m_definition->label->contents = reader.items;
  m_info.leaderRecords = reader.leaderRecords;
  m_info.text = reader.displayText;
  m_info.position = reader.position;
  m_info.physicalFontSize = reader.physicalFontSize;
  m_info.pageNumber = reader.pageNumber;
  m_label->SetPageNum(reader.pageNumber);
  SetId(reader.annotationId);
  m_kind = CALLOUT_TYPE(reader.kind);
  if (reader.hasItemId)
    SetItemId(reader.itemId);
  SetAsKit(reader.kit);
  SetText(reader.displayText);
  m_blendColor = reader.blendColor;
  m_dimLabel = reader.dimLabel;
  if (m_kind == CALLOUT_NOTE)
    SetLabelPosition(reader.position);
  SetCreatedFromFile(true);
  SetVisibleFromFile(reader.visible);
  if (m_dimLabel)
    UpdateLabelDim();
  return true;
}

void Callout::FixReferences(tqk::SerializedContentElement* element,
                            const du::HashMap<du::Symbol, du::Symbol>& ids)
{
  if (!element)
    return;
  SbomIdContentVisitor fixer(ids);
  element->Visit(fixer);
}

} // namespace tqannotations
