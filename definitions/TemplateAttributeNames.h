#pragma once

#include <xercesc/util/XercesDefs.hpp>

#include <array>
#include <cstddef>
#include <string>
#include <type_traits>

// The loader keeps the parser's strings in std::u16string and writes them as u"" literals.
static_assert(std::is_same_v<XMLCh, char16_t>, "the parser's characters must be char16_t");

namespace tqannotations {

//! The attribute names of the template format, and the few fixed values that attribute values
//! are compared with, in the parser's characters: made once for each document read, so that
//! looking an attribute up needs no conversion.
class TemplateAttributeNames
{
public:
  //! The table's entries. "px" and "xml:lang" belong to the format's vocabulary although no
  //! rule reads them: a size in pixels is any size whose suffix is not recognised, and a
  //! document's language is not consulted.
  enum Name
  {
    ID,
    HAS_LEADERS,
    URL,
    WEIGHT,
    COLOR,
    HALO,
    HALO_COLOR,
    DASHES,
    START,
    END,
    CAN_EDIT,
    FILL_COLOR,
    FONT,
    TYPE,
    SIZE,
    DECORATION,
    CATEGORY,
    NAME,
    TRUE_VALUE,
    PIXEL_SUFFIX,
    MILLIMETRE_SUFFIX,
    CENTIMETRE_SUFFIX,
    INCH_SUFFIX,
    XML_LANG,
    LOCID,
    COUNT
  };

  TemplateAttributeNames();

  const std::u16string& Get(Name name) const { return m_names[name]; }
  //! The attribute that the qualified name names exactly, or COUNT when it names none; the
  //! fixed values are not attribute names.
  Name FindAttribute(const XMLCh* qualifiedName) const;

private:
  static constexpr std::size_t GROUPS = 64;
  //! Up to this many attribute names share a group; one more, free entry ends each group.
  static constexpr std::size_t MAX_SHARING = 3;
  static constexpr std::size_t LONGEST_NAME = 10; // "hasLeaders", "halo-color", "fill-color", "decoration"

  //! An attribute name held in place, zero-terminated; COUNT marks a free entry.
  struct Entry
  {
    char16_t name[LONGEST_NAME + 1] = {};
    Name attribute = COUNT;
  };

  //! The group of a name by its first two characters; the name must not be empty.
  static std::size_t _Group(const XMLCh* name) { return (name[0] * 5u + name[1]) % GROUPS; }

  std::array<std::u16string, COUNT> m_names;
  //! The attribute names by their group, so that finding one compares with one name, seldom
  //! with two or three, each read from one short stretch of memory.
  std::array<std::array<Entry, MAX_SHARING + 1>, GROUPS> m_groups;
};

} // namespace tqannotations
