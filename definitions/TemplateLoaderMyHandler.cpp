#include "definitions/TemplateLoaderMyHandler.h"

#include "definitions/TemplateAttributeReader.h"

#include <dp/TqInfo.h>
#include <du/Symbol.h>
#include <du/WideString.h>

#include <xercesc/sax/SAXParseException.hpp>
#include <xercesc/util/TransService.hpp>
#include <xercesc/util/XMLChar.hpp>

#include <algorithm>
#include <array>
#include <initializer_list>
#include <utility>
#include <vector>

namespace tqannotations {
namespace {

// The element names of the template format, built in this order.
const du::Symbol kLumbraAnnotations("lumbra-annotations");
const du::Symbol kAnnotations("annotations");
const du::Symbol kAnnotation("annotation");
const du::Symbol kName("name");
const du::Symbol kDescription("description");
const du::Symbol kTooltip("tooltip");
const du::Symbol kThumbnail("thumbnail");
const du::Symbol kLeaders("leaders");
const du::Symbol kLabel("label");
const du::Symbol kLineStyle("line-style");
const du::Symbol kText("text");
const du::Symbol kShape("shape");
const du::Symbol kSpan("span");
const du::Symbol kUseProperty("useproperty");
const du::Symbol kBr("br");

//! The element names of the format with their ids, grouped by their first two characters, which
//! tell all of them apart except "annotation" from "annotations". Each group holds its names
//! in place, so that finding one reads one short stretch of memory.
class ElementNames
{
public:
  ElementNames(std::initializer_list<std::pair<const du::Symbol*, int>> names)
  {
    for (const auto& [key, id] : names) {
      const std::string& text = key->GetText();
      const xercesc::TranscodeFromStr transcoded(reinterpret_cast<const XMLByte*>(text.data()), text.size(),
                                                 "UTF-8");
      const std::u16string name = transcoded.str();
      Entry* entry = m_groups[_Group(name.c_str())].data();
      while (entry->id != 0)
        ++entry; // the names are the format's own and fit, with a free entry ending each group
      name.copy(entry->name, LONGEST_NAME);
      entry->id = id;
    }
  }

  //! The id of the element name, or 0 when the name is not the format's.
  int Find(const XMLCh* localName) const
  {
    if (localName[0] == 0)
      return 0;
    for (const Entry* entry = m_groups[_Group(localName)].data(); entry->id != 0; ++entry) {
      // Up to the first difference, or to the end that both share.
      for (std::size_t i = 0; localName[i] == entry->name[i]; ++i) {
        if (localName[i] == 0)
          return entry->id;
      }
    }
    return 0;
  }

private:
  static constexpr std::size_t GROUPS = 64;
  static constexpr std::size_t LONGEST_NAME = 18; // "lumbra-annotations"
  static constexpr std::size_t GROUP_SIZE = 3;

  struct Entry
  {
    char16_t name[LONGEST_NAME + 1] = {}; // zero-terminated
    int id = 0;                           // 0: a free entry
  };

  //! Reads the second character, so the name must not be empty.
  static std::size_t _Group(const XMLCh* name) { return (name[0] * 5u + name[1]) % GROUPS; }

  std::array<std::array<Entry, GROUP_SIZE>, GROUPS> m_groups;
};

std::size_t LengthBeforeZero(const XMLCh* chars, std::size_t length)
{
  std::size_t count = 0;
  while (count < length && chars[count] != 0)
    ++count;
  return count;
}

//! Appends the characters in UTF-8. ASCII, which is most of a template's text, is the same in
//! UTF-8 and is copied as it stands. Other text goes to the host's conversion, which needs a zero
//! character where the count ends: `buffer` holds them, kept by the caller between calls.
void AppendUtf8(std::string& text, const XMLCh* chars, std::size_t count, std::u16string& buffer)
{
  if (std::all_of(chars, chars + count, [](XMLCh c) { return c < 0x80; })) {
    const std::size_t before = text.size();
    text.resize(before + count);
    std::transform(chars, chars + count, text.begin() + before, [](XMLCh c) { return static_cast<char>(c); });
    return;
  }
  buffer.assign(chars, count);
  text += du::WideStrToUtf8(buffer.c_str());
}

} // namespace

TemplateLoader::MyHandler::MyHandler(std::vector<du::SmartPtr<TAnnotation>>& templates)
    : m_templates(templates), m_localizer("tqplugins/lumbrastartup:lumbraAppStrings")
{
  if (!dp::TqInfo::GetCurrentLanguage(m_language))
    m_language = "en";
}

TemplateLoader::MyHandler::ElementId TemplateLoader::MyHandler::_FindElementId(const XMLCh* localName)
{
  // Compared by the parser's characters with the names in the same form, which gives the same
  // answers as comparing both in UTF-8 without converting the name of every element; and only
  // with the names that start with the same character. Names are case-sensitive.
  static const ElementNames names({
      {&kLumbraAnnotations, LUMBRA_ANNOTATIONS},
      {&kAnnotations, ANNOTATIONS},
      {&kAnnotation, ANNOTATION},
      {&kName, NAME},
      {&kDescription, DESCRIPTION},
      {&kTooltip, TOOLTIP},
      {&kThumbnail, THUMBNAIL},
      {&kLeaders, LEADERS},
      {&kLabel, LABEL},
      {&kLineStyle, LINE_STYLE},
      {&kText, TEXT},
      {&kShape, SHAPE},
      {&kSpan, SPAN},
      {&kUseProperty, USE_PROPERTY},
      {&kBr, BR},
  });
  return localName ? ElementId(names.Find(localName)) : UNRECOGNISED;
}

void TemplateLoader::MyHandler::startElement(const XMLCh* const /*uri*/, const XMLCh* const localName,
                                             const XMLCh* const /*qualifiedName*/,
                                             const xercesc::Attributes& attributes)
{
  const TemplateAttributeReader reader(attributes, m_attributeNames);
  // Nesting plays no part: an element is handled wherever it stands.
  switch (_FindElementId(localName)) {
  case ANNOTATION: _StartAnnotation(reader); break;
  case NAME: _StartLocalisedText(&TAnnotation::name, NAME, reader); break;
  case DESCRIPTION: _StartLocalisedText(&TAnnotation::description, DESCRIPTION, reader); break;
  case TOOLTIP: _StartLocalisedText(&TAnnotation::tooltip, TOOLTIP, reader); break;
  case THUMBNAIL: _StartThumbnail(reader); break;
  case LEADERS: _StartLeaders(); break;
  case LINE_STYLE: _StartLineStyle(reader); break;
  case LABEL: _StartLabel(reader); break;
  case TEXT: _StartText(reader); break;
  case SPAN: _StartSpan(reader); break;
  case USE_PROPERTY: _StartUseProperty(reader); break;
  case SHAPE: _StartShape(reader); break;
  case BR: _StartBr(reader); break;
  case LUMBRA_ANNOTATIONS: _Push(LUMBRA_ANNOTATIONS); break;
  case ANNOTATIONS: _Push(ANNOTATIONS); break;
  case UNRECOGNISED: _Push(UNRECOGNISED); break;
  }
}

void TemplateLoader::MyHandler::endElement(const XMLCh* const /*uri*/, const XMLCh* const /*localName*/,
                                           const XMLCh* const /*qualifiedName*/)
{
  if (!m_elementIds.empty())
    m_elementIds.pop_back();
}

void TemplateLoader::MyHandler::characters(const XMLCh* const chars, const XMLSize_t length)
{
  TAnnotation* current = _CurrentTemplate();
  if (!current || m_elementIds.empty())
    return;
  switch (m_elementIds.back()) {
  case NAME: _AppendText(current->name, chars, LengthBeforeZero(chars, length)); break;
  case DESCRIPTION: _AppendText(current->description, chars, LengthBeforeZero(chars, length)); break;
  case TOOLTIP: _AppendText(current->tooltip, chars, LengthBeforeZero(chars, length)); break;
  case TEXT:
    if (current->label)
      _AddTextItem(*current->label, chars, LengthBeforeZero(chars, length));
    break;
  case SPAN:
    if (current->label)
      _AppendToLastItem(*current->label, chars, LengthBeforeZero(chars, length));
    break;
  default: break; // the text of every other element is not part of a template
  }
}

void TemplateLoader::MyHandler::fatalError(const xercesc::SAXParseException& exception) { throw exception; }

void TemplateLoader::MyHandler::_Stop(const char* reason) { throw xercesc::SAXException(reason); }

void TemplateLoader::MyHandler::_AppendItem(TLabel& label, du::SmartPtr<LabelContent> item)
{
  _Charge(sizeof(LabelContent) + item->text.size() + item->propertyName.size() +
          item->properties.font.size() + item->properties.decoration.size());
  label.contents.push_back(std::move(item));
}

const std::string& TemplateLoader::MyHandler::_Localised(const std::string& key)
{
  if (m_lastKey != key) {
    m_lastLocalised = m_localizer.LocalizeMessage(key, du::Localizer::RETURN_EMPTY);
    m_lastKey = key;
  }
  return m_lastLocalised;
}

void TemplateLoader::MyHandler::_AppendText(std::string& field, const XMLCh* chars, std::size_t count)
{
  const std::size_t before = field.size();
  AppendUtf8(field, chars, count, m_characters);
  _Charge(field.size() - before);
}

void TemplateLoader::MyHandler::_AppendTrimmed(std::string& text, const XMLCh* chars, std::size_t count)
{
  // The parser's own white space (blank, tab, line feed, carriage return), as its trim has it.
  std::size_t begin = 0;
  while (begin < count && xercesc::XMLChar1_0::isWhitespace(chars[begin]))
    ++begin;
  std::size_t end = count;
  while (end > begin && xercesc::XMLChar1_0::isWhitespace(chars[end - 1]))
    --end;
  AppendUtf8(text, chars + begin, end - begin, m_characters);
}

void TemplateLoader::MyHandler::_AddTextItem(TLabel& label, const XMLCh* chars, std::size_t count)
{
  // One item for every piece of text that the parser delivers, also an empty one: where the
  // parser splits a text is the parser's affair, and the pieces are kept as they come. The text
  // is converted straight into the item.
  du::SmartPtr<LabelContent> item(new LabelContent(std::string(), label.text));
  _AppendTrimmed(item->text, chars, count);
  _AppendItem(label, std::move(item));
}

void TemplateLoader::MyHandler::_AppendToLastItem(TLabel& label, const XMLCh* chars, std::size_t count)
{
  if (label.contents.empty() || !label.contents.back())
    return;
  std::string& text = label.contents.back()->text;
  const std::size_t before = text.size();
  _AppendTrimmed(text, chars, count);
  _Charge(text.size() - before);
}

} // namespace tqannotations
