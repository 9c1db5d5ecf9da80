// The element steps of TemplateLoader::MyHandler: what each element of a template document
// reads from its attributes and which part of the current template it makes or fills.

#include "definitions/TemplateAttributeReader.h"
#include "definitions/TemplateLoaderMyHandler.h"

#include <du/WideString.h>

#include <string>
#include <utility>

namespace tqannotations {
namespace {

using Attribute = TemplateAttributeNames;

using NameCode = TemplateAttributeReader::NameCode;

const NameCode kDashPatterns[] = {
    {"solid", 0},       {"dotdash", 1},      {"dotdotdash", 2},  {"dotdotdot", 3},
    {"dashdotdash", 4}, {"dashdashdash", 5}, {"longdashdot", 6}, {"fourdotbreak", 7},
};

const NameCode kShapes[] = {
    {"circle", 0},     {"square", 1},       {"rectangle", 2}, {"hexagon", 3},
    {"triangleup", 4}, {"triangledown", 5}, {"roundrect", 6}, {"none", 12},
};

// The ends of a line; any other name matches no arrow style.
enum LineEnd
{
  NO_END = 0,
  ARROW_END = 1,
  ROUND_END = 2,
  OTHER_END = 3
};
const NameCode kLineEnds[] = {{"none", NO_END}, {"arrow", ARROW_END}, {"round", ROUND_END}};

//! The arrow style of a line by its start and end.
int ArrowStyle(int start, int end)
{
  // By start (none, arrow, round), then by end (none, arrow, round).
  static const int kStyles[3][3] = {{0, 2, 4}, {3, 1, 8}, {5, 6, 7}};
  return start == OTHER_END || end == OTHER_END ? 3 : kStyles[start][end];
}

//! A new item with the label's text attributes, the element's read over them.
LabelContent* NewItem(const std::string& text, TLabel& label, const TemplateAttributeReader& attributes)
{
  LabelContent* item = new LabelContent(text, label.text);
  attributes.ReadTextProperties(item->properties);
  return item;
}

} // namespace

void TemplateLoader::MyHandler::_StartAnnotation(const TemplateAttributeReader& attributes)
{
  _Push(ANNOTATION);
  du::SmartPtr<TAnnotation> annotation(new TAnnotation);
  attributes.ReadText(Attribute::ID, annotation->id);
  attributes.ReadBoolean(Attribute::HAS_LEADERS, annotation->hasLeaders);
  _Charge(sizeof(TAnnotation) + annotation->id.size());
  m_templates.push_back(std::move(annotation));
}

void TemplateLoader::MyHandler::_StartLocalisedText(std::string TAnnotation::*field, ElementId textId,
                                                    const TemplateAttributeReader& attributes)
{
  // An element without "locid" is looked up with the empty key: the catalogue decides.
  std::string key;
  attributes.ReadText(Attribute::LOCID, key);
  const std::string& localised = _Localised(key);
  if (localised.empty()) {
    _Push(textId); // the element's own text is the value
    return;
  }
  _Push(UNRECOGNISED); // the catalogue's text stands; the element's own is ignored
  if (TAnnotation* current = _CurrentTemplate()) {
    _Charge(localised.size());
    current->*field += localised;
  }
}

void TemplateLoader::MyHandler::_StartThumbnail(const TemplateAttributeReader& attributes)
{
  _Push(THUMBNAIL);
  TAnnotation* current = _CurrentTemplate();
  const XMLCh* url = attributes.Find(Attribute::URL);
  if (!current || !url)
    return;
  std::string thumbnail = du::WideStrToUtf8(url);
  _Charge(thumbnail.size());
  current->thumbnail = std::move(thumbnail);
}

void TemplateLoader::MyHandler::_StartLeaders()
{
  _Push(LEADERS);
  if (TAnnotation* current = _CurrentTemplate()) {
    _Charge(sizeof(TLeaders));
    current->leaders = new TLeaders; // a second "leaders" element starts the styles afresh
  }
}

void TemplateLoader::MyHandler::_StartLineStyle(const TemplateAttributeReader& attributes)
{
  _Push(LINE_STYLE);
  TAnnotation* current = _CurrentTemplate();
  if (!current || !current->leaders)
    return;
  du::SmartPtr<LineStyle> style(new LineStyle);
  attributes.ReadSize(Attribute::WEIGHT, style->weight, style->weightUnit);
  attributes.ReadColor(Attribute::COLOR, style->color);
  attributes.ReadBoolean(Attribute::HALO, style->halo);
  attributes.ReadColor(Attribute::HALO_COLOR, style->haloColor);
  attributes.ReadNameCode(Attribute::DASHES, kDashPatterns, 0, style->dashes);
  int start = NO_END;
  int end = NO_END;
  attributes.ReadNameCode(Attribute::START, kLineEnds, OTHER_END, start);
  attributes.ReadNameCode(Attribute::END, kLineEnds, OTHER_END, end);
  style->arrowStyle = ArrowStyle(start, end);
  _Charge(sizeof(LineStyle) + sizeof(du::SmartPtr<LineStyle>));
  current->leaders->styles.push_back(std::move(style));
}

void TemplateLoader::MyHandler::_StartLabel(const TemplateAttributeReader& attributes)
{
  _Push(LABEL);
  TAnnotation* current = _CurrentTemplate();
  if (!current)
    return;
  du::SmartPtr<TLabel> label(new TLabel);
  attributes.ReadBoolean(Attribute::CAN_EDIT, label->canEdit);
  _Charge(sizeof(TLabel));
  current->label = std::move(label); // a second "label" element discards the first with its items
}

void TemplateLoader::MyHandler::_StartText(const TemplateAttributeReader& attributes)
{
  _Push(TEXT);
  // Items made before keep the attributes that they were made with.
  if (TLabel* label = _CurrentLabel())
    attributes.ReadTextProperties(label->text);
}

void TemplateLoader::MyHandler::_StartSpan(const TemplateAttributeReader& attributes)
{
  _Push(SPAN);
  TLabel* label = _CurrentLabel();
  if (!label)
    return;
  // The item starts empty; the span's text is appended to it as it comes.
  _AppendItem(*label, NewItem(std::string(), *label, attributes));
}

void TemplateLoader::MyHandler::_StartUseProperty(const TemplateAttributeReader& attributes)
{
  _Push(USE_PROPERTY);
  TLabel* label = _CurrentLabel();
  if (!label || !attributes.Find(Attribute::CATEGORY))
    return;
  // The category and the name are read straight into a property item; without a name the item
  // holds the category as fixed text.
  du::SmartPtr<LabelContent> item(new LabelContent(std::string(), std::string(), label->text));
  attributes.ReadText(Attribute::CATEGORY, item->text);
  if (item->text.empty())
    return;
  attributes.ReadText(Attribute::NAME, item->propertyName);
  if (item->propertyName.empty())
    item->isProperty = 0;
  attributes.ReadTextProperties(item->properties);
  _AppendItem(*label, std::move(item));
}

void TemplateLoader::MyHandler::_StartShape(const TemplateAttributeReader& attributes)
{
  _Push(SHAPE);
  TLabel* label = _CurrentLabel();
  if (!label)
    return;
  attributes.ReadNameCode(Attribute::TYPE, kShapes, 0, label->shape);
  attributes.ReadColor(Attribute::FILL_COLOR, label->fillColor);
}

void TemplateLoader::MyHandler::_StartBr(const TemplateAttributeReader& attributes)
{
  _Push(BR);
  TLabel* label = _CurrentLabel();
  if (!label)
    return;
  _AppendItem(*label, NewItem("\n", *label, attributes));
}

} // namespace tqannotations
