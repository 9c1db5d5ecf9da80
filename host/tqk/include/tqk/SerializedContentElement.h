#pragma once

#include <dg/Color.h>
#include <dg/DPoint3D.h>
#include <dg/Quat.h>
#include <du/Symbol.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <variant>
#include <vector>

namespace tqk {

class SerializedContentVisitor;

//! One element of the host's tree of typed properties: what annotations save into and load from.
//!
//! An element has a name and holds typed properties under symbol keys and child elements, in the
//! order they were added; a key may repeat. Writers add with AddProperty and open children with
//! StartContent; readers walk the tree with Visit.
class SerializedContentElement
{
public:
  //! The value types a property can hold.
  using Value = std::variant<bool, std::int32_t, std::uint32_t, std::uint16_t, std::uint64_t, float,
                             du::Symbol, dg::DPoint3D, dg::Color, dg::Quat>;

  //! One property or one child element, as stored.
  struct Entry
  {
    du::Symbol key; //!< the property's key, or the child's name
    Value value;    //!< unused for a child
    std::unique_ptr<SerializedContentElement> child;
  };

  explicit SerializedContentElement(const du::Symbol& name = du::Symbol::EMPTY) : m_name(name) {}
  SerializedContentElement(const SerializedContentElement&) = delete;
  SerializedContentElement& operator=(const SerializedContentElement&) = delete;

  const du::Symbol& GetName() const { return m_name; }

  //! Opens a new child element, after everything added so far, and returns it.
  SerializedContentElement& StartContent(const du::Symbol& name);
  //! Closes the element a writer has finished. The tree keeps every element open to additions,
  //! so there is nothing to do; writers pair the call with StartContent all the same.
  void EndContent() {}

  void AddProperty(const du::Symbol& key, bool value) { Add(key, value); }
  void AddProperty(const du::Symbol& key, std::int32_t value) { Add(key, value); }
  void AddProperty(const du::Symbol& key, std::uint32_t value) { Add(key, value); }
  void AddProperty(const du::Symbol& key, std::uint16_t value) { Add(key, value); }
  void AddProperty(const du::Symbol& key, std::uint64_t value) { Add(key, value); }
  void AddProperty(const du::Symbol& key, float value) { Add(key, value); }
  void AddProperty(const du::Symbol& key, const du::Symbol& value) { Add(key, value); }
  void AddProperty(const du::Symbol& key, const dg::DPoint3D& value) { Add(key, value); }
  void AddProperty(const du::Symbol& key, const dg::Color& value) { Add(key, value); }
  void AddProperty(const du::Symbol& key, const dg::Quat& value) { Add(key, value); }
  //! A text literal would silently become a bool; write du::Symbol("...") instead.
  void AddProperty(const du::Symbol& key, const char* value) = delete;

  //! Walks the element's properties and children in stored order, at every depth, calling the
  //! visitor (see tqk::SerializedContentVisitor for the order of the callbacks). The element
  //! itself gets no StartElement. A callback may start another walk, of this or any element.
  void Visit(SerializedContentVisitor& visitor) const;

  //! During a walk, from inside the callback of one of this element's properties, replaces that
  //! property's value (the innermost walk's property when walks are nested). False, changing
  //! nothing, when no walk on this thread is at a property of this element, or when the value is
  //! of another type than the property's.
  bool ChangeCurrentProperty(const Value& value);
  //! A text literal would silently become a bool; write du::Symbol("...") instead.
  bool ChangeCurrentProperty(const char* value) = delete;

  const std::vector<Entry>& GetEntries() const { return m_entries; }
  std::size_t GetPropertyCount() const;
  std::size_t GetChildCount() const;

private:
  void Add(const du::Symbol& key, Value value) { m_entries.push_back(Entry{key, std::move(value), nullptr}); }

  du::Symbol m_name;
  std::vector<Entry> m_entries;
};

} // namespace tqk
