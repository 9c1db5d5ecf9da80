#pragma once

#include "definitions/TemplateAttributeNames.h"

#include <tqannotations/TextProperties.h>

#include <xercesc/sax2/Attributes.hpp>

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace tqannotations {

//! Reads the attributes of one template element by the format's value rules. No value is ever
//! rejected: one that does not read gives its rule's fallback, and an absent attribute leaves
//! the field that it would fill as it was. Attributes are known by their exact qualified names.
class TemplateAttributeReader
{
public:
  using Name = TemplateAttributeNames::Name;

  //! Looks the element's attributes up once, so that each rule finds its value directly.
  TemplateAttributeReader(const xercesc::Attributes& attributes, const TemplateAttributeNames& names);

  //! The value as the document gives it, or null when the element lacks the attribute.
  const XMLCh* Find(Name name) const { return (m_present >> name) & 1u ? m_values[name] : nullptr; }

  //! The whole value in UTF-8, neither trimmed nor case-folded. False when absent.
  bool ReadText(Name name, std::string& text) const;
  //! True when the value is "true" in any case, false for any other value.
  void ReadBoolean(Name name, bool& value) const;
  //! A hexadecimal 0xRRGGBB, with or without a leading "#". A value that does not start with a
  //! hexadecimal number, as most colour names do not, keeps the colour as it was.
  void ReadColor(Name name, std::uint32_t& color) const;
  //! The number at the start of the value (0 when there is none); the unit from the value's
  //! last two characters in any case ("mm" 0, "cm" 1, "in" 2, anything else 3), but only when
  //! the value is longer than two characters.
  void ReadSize(Name name, float& size, int& unit) const;
  //! The value in lower case, for comparing with the names of a table. False when absent.
  bool ReadName(Name name, std::string& lowered) const;
  //! "font", "size", "decoration" and "color" over the given attributes.
  void ReadTextProperties(TextProperties& properties) const;

private:
  //! Whether the value, in any case, is the fixed value, which is in lower case.
  bool _EqualsIgnoringCase(const XMLCh* value, std::size_t length, Name fixedValue) const;

  const TemplateAttributeNames& m_names;
  //! Which entries of m_values the element gives, one bit per name; the others are not set,
  //! which saves clearing the whole table for every element.
  std::uint32_t m_present = 0;
  std::array<const XMLCh*, TemplateAttributeNames::COUNT> m_values;
};

} // namespace tqannotations
