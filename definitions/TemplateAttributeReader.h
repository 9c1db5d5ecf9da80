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

  //! One entry of a table of names, in lower case, with the code that the name stands for.
  struct NameCode
  {
    const char* name;
    int code;
  };

  //! The element's attributes are looked up on the first question, all at once, so that each
  //! rule then finds its value directly; an element whose attributes are never asked for costs
  //! nothing.
  TemplateAttributeReader(const xercesc::Attributes& attributes, const TemplateAttributeNames& names)
      : m_attributes(attributes), m_names(names)
  {}

  //! The value as the document gives it, or null when the element lacks the attribute.
  const XMLCh* Find(Name name) const
  {
    if (!m_indexed)
      _Index();
    return (m_present >> name) & 1u ? m_values[name] : nullptr;
  }

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
  //! The code of the table's name that the value is, in any case; fallback for a value that
  //! is none of them. False, leaving code as it was, when absent.
  template <std::size_t N>
  bool ReadNameCode(Name name, const NameCode (&table)[N], int fallback, int& code) const
  {
    return _ReadNameCode(name, table, N, fallback, code);
  }
  //! "font", "size", "decoration" and "color" over the given attributes.
  void ReadTextProperties(TextProperties& properties) const;

private:
  void _Index() const;
  bool _ReadNameCode(Name name, const NameCode* table, std::size_t size, int fallback, int& code) const;
  //! Whether the value, in any case, is the fixed value, which is in lower case.
  bool _EqualsIgnoringCase(const XMLCh* value, std::size_t length, Name fixedValue) const;

  const xercesc::Attributes& m_attributes;
  const TemplateAttributeNames& m_names;
  mutable bool m_indexed = false;
  //! Which entries of m_values the element gives, one bit per name; the others are not set,
  //! which saves clearing the whole table for every element.
  mutable std::uint32_t m_present = 0;
  mutable std::array<const XMLCh*, TemplateAttributeNames::COUNT> m_values;
};

} // namespace tqannotations
