#pragma once

#include <du/Symbol.h>

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

namespace dg {

class XmlTreeBuilder;

//! One element of a parsed XML tree (see dg::ParseXml): its name, its attributes in document
//! order, its child elements in document order and its own text.
//!
//! Elements exist only inside a tree made by dg::ParseXml and are released with the whole tree by
//! dg::FreeXml; they can be neither made nor copied by their users. Texts are UTF-8.
class XmlElem
{
public:
  //! The attribute index that means "no such attribute".
  static constexpr std::size_t npos = static_cast<std::size_t>(-1);

  XmlElem(const XmlElem&) = delete;
  XmlElem& operator=(const XmlElem&) = delete;

  //! The element's name as written, prefix included.
  const du::Symbol& GetName() const noexcept { return m_name; }

  std::size_t GetChildCount() const noexcept { return m_children.size(); }
  //! The child element at index, or null past the last one.
  XmlElem* GetChild(std::size_t index) const noexcept;

  //! The index of the attribute named key, or npos when the element has none of that name.
  std::size_t FindAttribute(const du::Symbol& key) const noexcept;
  //! The text of the attribute at index, as the document gives it once its references are
  //! resolved; empty past the last attribute.
  std::string GetAttributeText(std::size_t index) const;
  //! The attribute at index as a decimal integer with an optional sign; blanks around it are
  //! allowed. False, leaving value as it was, past the last attribute or when the text is not
  //! such an integer or does not fit an int.
  bool GetAttributeInt(std::size_t index, int& value) const;
  //! The attribute at index as a bool: "true" or "1", "false" or "0"; blanks around it are
  //! allowed. False, leaving value as it was, past the last attribute or for any other text.
  bool GetAttributeBool(std::size_t index, bool& value) const;

  //! The character data directly inside the element, in document order and untrimmed; the text
  //! of its child elements is not part of it.
  const std::string& GetText() const noexcept { return m_text; }

private:
  friend class XmlTreeBuilder;
  friend void FreeXml(XmlElem* root);

  XmlElem(du::Symbol name, XmlElem* parent) : m_name(std::move(name)), m_parent(parent) {}
  // Children are released by FreeXml, without recursion, so that no depth of nesting can
  // exhaust the stack; an element never deletes its children itself.
  ~XmlElem() = default;

  du::Symbol m_name;
  XmlElem* m_parent;
  std::vector<std::pair<du::Symbol, std::string>> m_attributes;
  std::vector<XmlElem*> m_children;
  std::string m_text;
};

} // namespace dg
