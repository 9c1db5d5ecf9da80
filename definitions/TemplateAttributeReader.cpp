#include "definitions/TemplateAttributeReader.h"

#include "definitions/DecimalNumber.h"

#include <du/WideString.h>

#include <xercesc/util/XMLString.hpp>

#include <algorithm>
#include <cstdlib>

namespace tqannotations {

using xercesc::XMLString;

namespace {

//! What the C-style number reader read makes of the value. Such readers stop at the first
//! character outside ASCII, so a short value is handed over only as far as it is ASCII, narrowed
//! on the stack; a long one is converted whole.
template <class Reader>
auto ReadNumber(const XMLCh* value, Reader read)
{
  char narrow[64];
  std::size_t i = 0;
  for (; value[i] != 0 && value[i] < 0x80 && i + 1 < sizeof(narrow); ++i)
    narrow[i] = static_cast<char>(value[i]);
  if (value[i] != 0 && value[i] < 0x80)
    return read(du::WideStrToUtf8(value).c_str());
  narrow[i] = '\0';
  return read(narrow);
}

int HexDigit(XMLCh c)
{
  if (c >= '0' && c <= '9')
    return c - '0';
  if (c >= 'a' && c <= 'f')
    return c - 'a' + 10;
  if (c >= 'A' && c <= 'F')
    return c - 'A' + 10;
  return -1;
}

} // namespace

void TemplateAttributeReader::_Index() const
{
  static_assert(TemplateAttributeNames::COUNT <= 32, "one bit per name");
  m_indexed = true;
  const XMLSize_t count = m_attributes.getLength();
  for (XMLSize_t i = 0; i < count; ++i) {
    const XMLCh* qualifiedName = m_attributes.getQName(i);
    if (!qualifiedName)
      continue;
    const Name name = m_names.FindAttribute(qualifiedName);
    if (name != TemplateAttributeNames::COUNT) {
      m_values[name] = m_attributes.getValue(i);
      m_present |= 1u << name;
    }
  }
}

bool TemplateAttributeReader::_EqualsIgnoringCase(const XMLCh* value, std::size_t length,
                                                  Name fixedValue) const
{
  // The fixed values are ASCII, so only ASCII letters can match them in any case.
  const std::u16string& fixed = m_names.Get(fixedValue);
  if (length != fixed.size())
    return false;
  for (std::size_t i = 0; i < length; ++i) {
    const XMLCh c = value[i];
    const XMLCh lower = c >= 'A' && c <= 'Z' ? XMLCh(c - 'A' + 'a') : c;
    if (lower != fixed[i])
      return false;
  }
  return true;
}

bool TemplateAttributeReader::ReadText(Name name, std::string& text) const
{
  const XMLCh* value = Find(name);
  if (!value)
    return false;
  // ASCII is the same in UTF-8 and is copied into the text's own room, which a default or an
  // earlier value often provides; other text goes to the host's conversion.
  const XMLCh* end = value;
  while (*end != 0 && *end < 0x80)
    ++end;
  if (*end == 0) {
    text.resize(static_cast<std::size_t>(end - value));
    std::transform(value, end, text.begin(), [](XMLCh c) { return static_cast<char>(c); });
  } else {
    text = du::WideStrToUtf8(value);
  }
  return true;
}

void TemplateAttributeReader::ReadBoolean(Name name, bool& value) const
{
  if (const XMLCh* text = Find(name))
    value = _EqualsIgnoringCase(text, XMLString::stringLen(text), TemplateAttributeNames::TRUE_VALUE);
}

void TemplateAttributeReader::ReadColor(Name name, std::uint32_t& color) const
{
  const XMLCh* value = Find(name);
  if (!value)
    return;
  if (*value == '#')
    ++value;
  // Up to eight hexadecimal digits, the usual colour, are read here directly.
  std::uint32_t packed = 0;
  int digits = 0;
  for (; digits <= 8; ++digits) {
    const int digit = HexDigit(value[digits]);
    if (digit < 0)
      break;
    packed = packed << 4 | std::uint32_t(digit);
  }
  const bool prefixed = value[0] == '0' && (value[1] == 'x' || value[1] == 'X');
  if (digits > 0 && digits <= 8 && !prefixed) {
    color = packed;
    return;
  }
  // Anything else is read as sscanf's "%x" reads (blanks, a sign and "0x" allowed, the number
  // cut to 32 bits), at a fraction of its cost.
  ReadNumber(value, [&color](const char* text) {
    char* end = nullptr;
    const unsigned long number = std::strtoul(text, &end, 16);
    if (end != text)
      color = static_cast<std::uint32_t>(number);
    return 0;
  });
}

void TemplateAttributeReader::ReadSize(Name name, float& size, int& unit) const
{
  const XMLCh* value = Find(name);
  if (!value)
    return;
  size = static_cast<float>(ReadNumber(value, ReadLeadingNumber));
  const XMLSize_t length = XMLString::stringLen(value);
  if (length <= 2)
    return;
  const XMLCh* suffix = value + length - 2;
  if (_EqualsIgnoringCase(suffix, 2, TemplateAttributeNames::MILLIMETRE_SUFFIX))
    unit = 0;
  else if (_EqualsIgnoringCase(suffix, 2, TemplateAttributeNames::CENTIMETRE_SUFFIX))
    unit = 1;
  else if (_EqualsIgnoringCase(suffix, 2, TemplateAttributeNames::INCH_SUFFIX))
    unit = 2;
  else
    unit = 3;
}

bool TemplateAttributeReader::_ReadNameCode(Name name, const NameCode* table, std::size_t size, int fallback,
                                            int& code) const
{
  const XMLCh* value = Find(name);
  if (!value)
    return false;
  std::size_t length = 0;
  bool ascii = true;
  for (; value[length] != 0; ++length)
    ascii = ascii && value[length] < 0x80;
  std::u16string lowered;
  if (!ascii) {
    // Beyond ASCII the parser's own case rules decide; they may fold a character into ASCII.
    lowered.assign(value, length);
    XMLString::lowerCase(lowered.data());
    value = lowered.c_str();
  }
  code = fallback;
  for (std::size_t entry = 0; entry < size; ++entry) {
    const char* candidate = table[entry].name;
    std::size_t i = 0;
    for (; i < length && candidate[i] != 0; ++i) {
      const XMLCh c = value[i];
      if ((c >= 'A' && c <= 'Z' ? XMLCh(c - 'A' + 'a') : c) != XMLCh(candidate[i]))
        break;
    }
    if (i == length && candidate[i] == 0) {
      code = table[entry].code;
      break;
    }
  }
  return true;
}

void TemplateAttributeReader::ReadTextProperties(TextProperties& properties) const
{
  ReadText(TemplateAttributeNames::FONT, properties.font);
  ReadSize(TemplateAttributeNames::SIZE, properties.size, properties.sizeUnit);
  ReadText(TemplateAttributeNames::DECORATION, properties.decoration);
  ReadColor(TemplateAttributeNames::COLOR, properties.color);
}

} // namespace tqannotations
