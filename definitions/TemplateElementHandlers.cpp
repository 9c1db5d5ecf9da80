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

template <std::size_t N>
int CodeOfName(const std::string& name, const std::pair<const char*, int> (&table)[N], int fallback)
{
  for (const auto& [text, code] : table) {
    if (name == text)
      return code;
  }
  return fallback;
}

const std::pair<const char*, int> kDashPatterns[] = {
    {"solid", 0},       {"dotdash", 1},      {"dotdotdash", 2},  {"dotdotdot", 3},
    {"dashdotdash", 4}, {"dashdashdash", 5}, {"longdashdot", 6}, {"fourdotbreak", 7},
};

const std::pair<const char*, int> kShapes[] = {
    {"circle", 0},     {"square", 1},       {"rectangle", 2}, {"hexagon", 3},
    {"triangleup", 4}, {"triangledown", 5}, {"roundrect", 6}, {"none", 12},
};

//! The arrow style of a line by the names of its start and end.
int ArrowStyle(const std::string& start, const std::string& end)
{
  struct Pair
  {
    const char* start;
    const char* end;
    int style;
  };
  static const Pair kPairs[] = {
      {"none", "none", 0},   {"arrow", "arrow", 1}, {"none", "arrow", 2},
      {"arrow", "none", 3},  {"none", "round", 4},  {"round", "none", 5},
      {"round", "arrow", 6}, {"round", "round", 7}, {"arrow", "round", 8},
  };
  for (const Pair& pair : kPairs) {
    if (start == pair.start && end == pair.end)
      return pair.style;
  }
  return 3;
}

//! The text attributes of a new item: the label's own with the element's read over them.
TextProperties ItemProperties(const TLabel& label, const TemplateAttributeReader& attributes)
{
  TextProperties properties = label.text;
  attributes.ReadTextProperties(properties);
  return properties;
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
  std::string dashes;
  if (attributes.ReadName(Attribute::DASHES, dashes))
    style->dashes = CodeOfName(dashes, kDashPatterns, 0);
  std::string start = "none";
  std::string end = "none";
  attributes.ReadName(Attribute::START, start);
  attributes.ReadName(Attribute::END, end);
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
  TextProperties properties = ItemProperties(*label, attributes);
  _AppendItem(*label, new LabelContent(std::string(), properties));
}

void TemplateLoader::MyHandler::_StartUseProperty(const TemplateAttributeReader& attributes)
{
  _Push(USE_PROPERTY);
  TLabel* label = _CurrentLabel();
  if (!label)
    return;
  TextProperties properties = ItemProperties(*label, attributes);
  std::string category;
  std::string name;
  attributes.ReadText(Attribute::CATEGORY, category);
  attributes.ReadText(Attribute::NAME, name);
  if (category.empty())
    return;
  if (name.empty())
    _AppendItem(*label, new LabelContent(category, properties)); // the category as fixed text
  else
    _AppendItem(*label, new LabelContent(category, name, properties));
}

void TemplateLoader::MyHandler::_StartShape(const TemplateAttributeReader& attributes)
{
  _Push(SHAPE);
  TLabel* label = _CurrentLabel();
  if (!label)
    return;
  std::string type;
  if (attributes.ReadName(Attribute::TYPE, type))
    label->shape = CodeOfName(type, kShapes, 0);
  attributes.ReadColor(Attribute::FILL_COLOR, label->fillColor);
}

void TemplateLoader::MyHandler::_StartBr(const TemplateAttributeReader& attributes)
{
  _Push(BR);
  TLabel* label = _CurrentLabel();
  if (!label)
    return;
  TextProperties properties = ItemProperties(*label, attributes);
  _AppendItem(*label, new LabelContent("\n", properties));
}

} // namespace tqannotations
