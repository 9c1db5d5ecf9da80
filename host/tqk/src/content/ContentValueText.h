#pragma once

#include <tqk/SerializedContentElement.h>

#include <string>
#include <string_view>

namespace tqk {

//! How the document store spells property values and their types in its files.
//!
//! Numbers are written in the shortest form that reads back to the same bits; a NaN, whose
//! payload no decimal form keeps, is written as "nan:" and its bits in hexadecimal.
class ContentValueText
{
public:
  //! The type tag of the value's type ("bool", "int", "uint", "ushort", "uint64", "float",
  //! "symbol", "point", "color", "quat").
  static const char* TypeTag(const SerializedContentElement::Value& value);
  //! Appends the value's text; for a symbol, its raw text, which the writer still has to escape.
  static void AppendText(std::string& out, const SerializedContentElement::Value& value);
  //! The value of the given type spelled by the text; false when the tag is unknown or the text
  //! is not exactly a value of that type.
  static bool Parse(std::string_view tag, const std::string& text, SerializedContentElement::Value& value);
};

} // namespace tqk
