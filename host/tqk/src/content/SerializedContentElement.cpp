#include <tqk/SerializedContentElement.h>
#include <tqk/SerializedContentVisitor.h>

#include <algorithm>

namespace tqk {

namespace {

//! Where one walk stands in one element. Walks on a thread nest strictly (a callback may start
//! another), so the thread's walks form a stack; ChangeCurrentProperty looks for the innermost
//! one at a property of the element it is called on.
struct WalkPosition
{
  const SerializedContentElement* element;
  std::size_t entry;
  bool atProperty;
};

thread_local std::vector<WalkPosition*> t_walks;

class WalkScope
{
public:
  explicit WalkScope(const SerializedContentElement& element) : m_position{&element, 0, false}
  {
    t_walks.push_back(&m_position);
  }
  ~WalkScope() { t_walks.pop_back(); }
  WalkScope(const WalkScope&) = delete;
  WalkScope& operator=(const WalkScope&) = delete;

  WalkPosition& Position() { return m_position; }

private:
  WalkPosition m_position;
};

void WalkEntries(const SerializedContentElement& element, SerializedContentVisitor& visitor,
                 bool announceAttributes);

void WalkChild(SerializedContentElement& child, SerializedContentVisitor& visitor)
{
  // The name is copied: the visitor may change the tree under the walk.
  const du::Symbol name = child.GetName();
  if (visitor.StartElement(name, &child))
    WalkEntries(child, visitor, true);
  visitor.EndElement(name);
}

void WalkEntries(const SerializedContentElement& element, SerializedContentVisitor& visitor,
                 bool announceAttributes)
{
  WalkScope scope(element);
  WalkPosition& position = scope.Position();
  bool attributesEnded = !announceAttributes;
  // Indexed, and each entry re-read: a callback may add to the element, which moves its entries.
  for (std::size_t i = 0; i < element.GetEntries().size(); ++i) {
    const SerializedContentElement::Entry& entry = element.GetEntries()[i];
    if (entry.child) {
      if (!attributesEnded) {
        attributesEnded = true;
        visitor.EndAttributes(element.GetName());
      }
      // Children are handed out changeable: elements are only ever created by their parents,
      // never as const objects, and readers may change properties in place.
      WalkChild(*entry.child, visitor);
      continue;
    }
    position.entry = i;
    position.atProperty = true;
    // Copies, for the same reason as the name above.
    const du::Symbol key = entry.key;
    const SerializedContentElement::Value value = entry.value;
    std::visit([&](const auto& typed) { visitor.Visit(key, typed); }, value);
    // Only the property's own callback may change it: the callbacks that follow (EndAttributes,
    // a child's StartElement) are at no property.
    position.atProperty = false;
  }
  if (!attributesEnded)
    visitor.EndAttributes(element.GetName());
}

} // namespace

SerializedContentElement& SerializedContentElement::StartContent(const du::Symbol& name)
{
  m_entries.push_back(Entry{name, Value(), std::make_unique<SerializedContentElement>(name)});
  return *m_entries.back().child;
}

void SerializedContentElement::Visit(SerializedContentVisitor& visitor) const
{
  WalkEntries(*this, visitor, false);
}

bool SerializedContentElement::ChangeCurrentProperty(const Value& value)
{
  const auto walk = std::find_if(t_walks.rbegin(), t_walks.rend(),
                                 [&](const WalkPosition* position) { return position->element == this; });
  if (walk == t_walks.rend() || !(*walk)->atProperty)
    return false;
  Value& current = m_entries[(*walk)->entry].value;
  if (current.index() != value.index())
    return false;
  current = value;
  return true;
}

std::size_t SerializedContentElement::GetPropertyCount() const
{
  return static_cast<std::size_t>(
      std::count_if(m_entries.begin(), m_entries.end(), [](const Entry& entry) { return !entry.child; }));
}

std::size_t SerializedContentElement::GetChildCount() const { return m_entries.size() - GetPropertyCount(); }

} // namespace tqk
