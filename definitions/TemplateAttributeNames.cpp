#include "definitions/TemplateAttributeNames.h"

namespace tqannotations {
namespace {

// In the order of TemplateAttributeNames::Name, written in the parser's characters, so that
// nothing needs converting.
const char16_t* const kNames[TemplateAttributeNames::COUNT] = {
    u"id",     u"hasLeaders", u"url",      u"weight",  u"color",      u"halo", u"halo-color",
    u"dashes", u"start",      u"end",      u"canEdit", u"fill-color", u"font", u"type",
    u"size",   u"decoration", u"category", u"name",    u"true",       u"px",   u"mm",
    u"cm",     u"in",         u"xml:lang", u"locid"};

bool IsFixedValue(TemplateAttributeNames::Name name)
{
  return name >= TemplateAttributeNames::TRUE_VALUE && name <= TemplateAttributeNames::INCH_SUFFIX;
}

} // namespace

TemplateAttributeNames::TemplateAttributeNames()
{
  for (int i = 0; i < COUNT; ++i) {
    m_names[i] = kNames[i];
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
