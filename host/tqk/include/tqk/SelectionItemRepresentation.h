#pragma once

#include <du/RefCounted.h>
#include <du/Symbol.h>

#include <string>
#include <vector>

namespace tqk {

//! A selection item written down so that it can be found again later: its content type and named
//! text fields, some of which make up its identity.
class SelectionItemRepresentation : public du::RefCounted
{
public:
  explicit SelectionItemRepresentation(const du::Symbol& contentType) : m_contentType(contentType) {}

  const du::Symbol& GetContentType() const { return m_contentType; }

  //! Adds a field after the others; a name given again replaces that field's value and identity
  //! flag where it stands.
  void SetField(const du::Symbol& name, const std::string& value, bool partOfIdentity);

  //! The field names in the order the fields were first set.
  std::vector<du::Symbol> GetFieldNames() const;
  //! False for a field that is not there.
  bool IsFieldPartOfIdentity(const du::Symbol& name) const;
  //! The field's value; false, leaving value empty, when there is no such field.
  bool GetField(const du::Symbol& name, std::string& value) const;

private:
  struct Field
  {
    du::Symbol name;
    std::string value;
    bool partOfIdentity = false;
  };

  const Field* Find(const du::Symbol& name) const;

  du::Symbol m_contentType;
  std::vector<Field> m_fields;
};

} // namespace tqk
