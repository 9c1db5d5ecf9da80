#include "definitions/TemplateAttributeNames.h"

#include <du/WideString.h>

namespace tqannotations {
namespace {

// In the order of TemplateAttributeNames::Name.
const char* const kNarrowNames[TemplateAttributeNames::COUNT] = {
    "id",   "hasLeaders", "url",        "weight", "color", "halo",     "halo-color", "dashes",   "start",
    "end",  "canEdit",    "fill-color", "font",   "type",  "size",     "decoration", "category", "name",
    "true", "px",         "mm",         "cm",     "in",    "xml:lang", "locid"};

bool IsFixedValue(TemplateAttributeNames::Name name)
{
  return name >= TemplateAttributeNames::TRUE_VALUE && name <= TemplateAttributeNames::INCH_SUFFIX;
}

//! Whether the zero-terminated text is exactly the name.
bool IsName(const std::u16string& name, const XMLCh* text)
{
  std::size_t i = 0;
  for (; i < name.size(); ++i) {
    if (text[i] != name[i])
      return false;
  }
  return text[i] == 0;
}

} // namespace

TemplateAttributeNames::TemplateAttributeNames()
{
  for (auto& names : m_groups)
    names.fill(COUNT);
  for (int i = 0; i < COUNT; ++i) {
    m_names[i] = du::Utf8ToUtf16(kNarrowNames[i]);
    if (IsFixedValue(Name(i)))
      continue;
    auto& sharing = m_groups[_Group(m_names[i].c_str())];
    int free = 0;
    while (sharing[free] != COUNT)
      ++free;
    sharing[free] = Name(i);
  }
}

TemplateAttributeNames::Name TemplateAttributeNames::FindAttribute(const XMLCh* qualifiedName) const
{
  if (qualifiedName[0] == 0)
    return COUNT;
  for (Name name : m_groups[_Group(qualifiedName)]) {
    if (name == COUNT || IsName(m_names[name], qualifiedName))
      return name;
  }
  return COUNT;
}

} // namespace tqannotations
