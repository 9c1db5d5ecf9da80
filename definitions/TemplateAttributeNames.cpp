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

} // namespace

TemplateAttributeNames::TemplateAttributeNames()
{
  for (int i = 0; i < COUNT; ++i) {
    m_names[i] = du::Utf8ToUtf16(kNarrowNames[i]);
    if (IsFixedValue(Name(i)))
      continue;
    Entry* entry = m_groups[_Group(m_names[i].c_str())].data();
    while (entry->attribute != COUNT)
      ++entry; // the names are the format's own and fit
    m_names[i].copy(entry->name, LONGEST_NAME);
    entry->attribute = Name(i);
  }
}

TemplateAttributeNames::Name TemplateAttributeNames::FindAttribute(const XMLCh* qualifiedName) const
{
  if (qualifiedName[0] == 0)
    return COUNT;
  for (const Entry* entry = m_groups[_Group(qualifiedName)].data(); entry->attribute != COUNT; ++entry) {
    // Up to the first difference, or to the end that both share.
    for (std::size_t i = 0; qualifiedName[i] == entry->name[i]; ++i) {
      if (qualifiedName[i] == 0)
        return entry->attribute;
    }
  }
  return COUNT;
}

} // namespace tqannotations
