#include "ContentValueText.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <type_traits>

namespace tqk {

namespace {

template <class Float>
using BitsOf = std::conditional_t<sizeof(Float) == 4, std::uint32_t, std::uint64_t>;

constexpr std::string_view NAN_PREFIX = "nan:";

template <class Number>
void AppendNumber(std::string& out, Number value)
{
  char buffer[64];
  const std::to_chars_result written = std::to_chars(buffer, buffer + sizeof buffer, value);
  out.append(buffer, written.ptr);
}

template <class Float>
void AppendFloat(std::string& out, Float value)
{
  if (!std::isnan(value)) {
    AppendNumber(out, value);
    return;
  }
  BitsOf<Float> bits;
  std::memcpy(&bits, &value, sizeof bits);
  char buffer[32];
  const std::to_chars_result written = std::to_chars(buffer, buffer + sizeof buffer, bits, 16);
  out += NAN_PREFIX;
  out.append(buffer, written.ptr);
}

template <class Number>
bool ParseNumber(std::string_view text, Number& value)
{
  if (text.empty())
    return false;
  const std::from_chars_result read = std::from_chars(text.data(), text.data() + text.size(), value);
  return read.ec == std::errc() && read.ptr == text.data() + text.size();
}

template <class Float>
bool ParseFloat(std::string_view text, Float& value)
{
  if (text.substr(0, NAN_PREFIX.size()) != NAN_PREFIX)
    return ParseNumber(text, value);
  BitsOf<Float> bits = 0;
  const std::string_view digits = text.substr(NAN_PREFIX.size());
  const std::from_chars_result read = std::from_chars(digits.data(), digits.data() + digits.size(), bits, 16);
  if (digits.empty() || read.ec != std::errc() || read.ptr != digits.data() + digits.size())
    return false;
  std::memcpy(&value, &bits, sizeof bits);
  return std::isnan(value); // other bit patterns have a decimal spelling and must use it
}

//! Splits "a b c ..." into exactly count fields separated by single spaces.
template <std::size_t count>
bool SplitFields(std::string_view text, std::string_view (&fields)[count])
{
  for (std::size_t i = 0; i < count; ++i) {
    const std::size_t space = text.find(' ');
    const bool last = i + 1 == count;
    if (last != (space == std::string_view::npos))
      return false;
    fields[i] = text.substr(0, space);
    text = last ? std::string_view() : text.substr(space + 1);
  }
  return true;
}

template <class Float, std::size_t count>
bool ParseFloats(std::string_view text, Float (&values)[count])
{
  std::string_view fields[count];
  if (!SplitFields(text, fields))
    return false;
  for (std::size_t i = 0; i < count; ++i)
    if (!ParseFloat(fields[i], values[i]))
      return false;
  return true;
}

template <class Float>
void AppendFloats(std::string& out, std::initializer_list<Float> values)
{
  bool first = true;
  for (Float value : values) {
    if (!first)
      out += ' ';
    first = false;
    AppendFloat(out, value);
  }
}

template <class Number>
bool ParseInto(std::string_view text, SerializedContentElement::Value& value)
{
  Number number{};
  bool parsed = false;
  if constexpr (std::is_floating_point_v<Number>)
    parsed = ParseFloat(text, number);
  else
    parsed = ParseNumber(text, number);
  if (parsed)
    value = number;
  return parsed;
}

} // namespace

const char* ContentValueText::TypeTag(const SerializedContentElement::Value& value)
{
  static const char* const tags[] = {"bool",  "int",    "uint",  "ushort", "uint64",
                                     "float", "symbol", "point", "color",  "quat"};
  static_assert(sizeof tags / sizeof tags[0] == std::variant_size_v<SerializedContentElement::Value>);
  return tags[value.index()];
}

void ContentValueText::AppendText(std::string& out, const SerializedContentElement::Value& value)
{
  std::visit(
      [&](const auto& typed) {
        using T = std::decay_t<decltype(typed)>;
        if constexpr (std::is_same_v<T, bool>)
          out += typed ? "true" : "false";
        else if constexpr (std::is_integral_v<T>)
          AppendNumber(out, typed);
        else if constexpr (std::is_same_v<T, float>)
          AppendFloat(out, typed);
        else if constexpr (std::is_same_v<T, du::Symbol>)
          out += typed.GetText();
        else if constexpr (std::is_same_v<T, dg::DPoint3D>)
          AppendFloats(out, {typed.x, typed.y, typed.z});
        else if constexpr (std::is_same_v<T, dg::Color>)
          AppendFloats(out, {typed.r, typed.g, typed.b, typed.a});
        else if constexpr (std::is_same_v<T, dg::Quat>)
          AppendFloats(out, {typed.x, typed.y, typed.z, typed.w});
        else
          static_assert(sizeof(T) != sizeof(T),
                        "every value type needs a spelling"); // false, but only once T is known
      },
      value);
}

bool ContentValueText::Parse(std::string_view tag, const std::string& text,
                             SerializedContentElement::Value& value)
{
  if (tag == "bool") {
    if (text != "true" && text != "false")
      return false;
    value = text == "true";
    return true;
  }
  if (tag == "int")
    return ParseInto<std::int32_t>(text, value);
  if (tag == "uint")
    return ParseInto<std::uint32_t>(text, value);
  if (tag == "ushort")
    return ParseInto<std::uint16_t>(text, value);
  if (tag == "uint64")
    return ParseInto<std::uint64_t>(text, value);
  if (tag == "float")
    return ParseInto<float>(text, value);
  if (tag == "symbol") {
    value = du::Symbol(text);
    return true;
  }
  if (tag == "point") {
    double xyz[3];
    if (!ParseFloats(text, xyz))
      return false;
    value = dg::DPoint3D(xyz[0], xyz[1], xyz[2]);
    return true;
  }
  if (tag == "color") {
    float rgba[4];
    if (!ParseFloats(text, rgba))
      return false;
    value = dg::Color(rgba[0], rgba[1], rgba[2], rgba[3]);
    return true;
  }
  if (tag == "quat") {
    double xyzw[4];
    if (!ParseFloats(text, xyzw))
      return false;
    value = dg::Quat(xyzw[0], xyzw[1], xyzw[2], xyzw[3]);
    return true;
  }
  return false;
}

} // namespace tqk
