#include <tqk/SelectionItemRepresentation.h>

#include <algorithm>

namespace tqk {

const SelectionItemRepresentation::Field* SelectionItemRepresentation::Find(const du::Symbol& name) const
{
  const auto found =
      std::find_if(m_fields.begin(), m_fields.end(), [&](const Field& field) { return field.name == name; });
  return found == m_fields.end() ? nullptr : &*found;
}

void SelectionItemRepresentation::SetField(const du::Symbol& name, const std::string& value,
                                           bool partOfIdentity)
{
  if (Field* field = const_cast<Field*>(Find(name))) {
    field->value = value;
    field->partOfIdentity = partOfIdentity;
    return;
  }
  m_fields.push_back(Field{name, value, partOfIdentity});
}

std::vector<du::Symbol> SelectionItemRepresentation::GetFieldNames() const
{
  std::vector<du::Symbol> names;
  names.reserve(m_fields.size());
  for (const Field& field : m_fields)
    names.push_back(field.name);
  return names;
}

bool SelectionItemRepresentation::IsFieldPartOfIdentity(const du::Symbol& name) const
{
  const Field* field = Find(name);
  return field && field->partOfIdentity;
}

bool SelectionItemRepresentation::GetField(const du::Symbol& name, std::string& value) const
{
  const Field* field = Find(name);
  value = field ? field->value : std::string();
  return field != nullptr;
}

} // namespace tqk
