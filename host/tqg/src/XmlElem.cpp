#include <dg/XmlElem.h>

#include <charconv>
#include <string_view>

namespace dg {
namespace {

// The blanks that XML allows around a value: space, tab, carriage return and line feed.
std::string_view TrimBlanks(std::string_view text)
{
  constexpr std::string_view kBlanks = " \t\r\n";
  const std::size_t first = text.find_first_not_of(kBlanks);
  if (first == std::string_view::npos)
    return {};
  return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

} // namespace

XmlElem* XmlElem::GetChild(std::size_t index) const noexcept
{
  return index < m_children.size() ? m_children[index] : nullptr;
}

std::size_t XmlElem::FindAttribute(const du::Symbol& key) const noexcept
{
  for (std::size_t i = 0; i < m_attributes.size(); ++i) {
    if (m_attributes[i].first == key)
      return i;
  }
  return npos;
}

std::string XmlElem::GetAttributeText(std::size_t index) const
{
  return index < m_attributes.size() ? m_attributes[index].second : std::string();
}

bool XmlElem::GetAttributeInt(std::size_t index, int& value) const
{
  if (index >= m_attributes.size())
    return false;
  std::string_view text = TrimBlanks(m_attributes[index].second);
  // from_chars takes a minus sign but not a plus sign; a plus sign must still be followed by a digit.
  if (text.size() > 1 && text.front() == '+' && text[1] != '-')
    text.remove_prefix(1);
  int parsed = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), parsed);
  if (error != std::errc() || end != text.data() + text.size())
    return false;
  value = parsed;
  return true;
}

bool XmlElem::GetAttributeBool(std::size_t index, bool& value) const
{
  if (index >= m_attributes.size())
    return false;
  const std::string_view text = TrimBlanks(m_attributes[index].second);
  if (text == "true" || text == "1") {
    value = true;
    return true;
  }
  if (text == "false" || text == "0") {
    value = false;
    return true;
  }
  return false;
}

} // namespace dg
