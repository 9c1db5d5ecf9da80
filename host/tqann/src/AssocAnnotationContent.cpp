#include <tqannotations/AssocAnnotationSerializedContentVisitor.h>
#include <tqk/SelectionItem.h>
#include <tqk/SelectionItemRepresentation.h>
#include <tqk/SerializedContentElement.h>

namespace tqannotations {

using Reader = AssocAnnotation::SerializedContentVisitor;

const du::Symbol Reader::SLOT_SELECTIONS("slotSelections");
const du::Symbol Reader::SELECTION("selection");
const du::Symbol Reader::CONTENT_TYPE("contentType");
const du::Symbol Reader::FIELD("field");
const du::Symbol Reader::VALUE("value");
const du::Symbol Reader::IDENTITY("identity");

namespace {

void WriteSelection(tqk::SerializedContentElement& selections,
                    const tqk::SelectionItemRepresentation& written)
{
  tqk::SerializedContentElement& selection = selections.StartContent(Reader::SELECTION);
  selection.AddProperty(Reader::CONTENT_TYPE, written.GetContentType());
  for (const du::Symbol& name : written.GetFieldNames()) {
    std::string value;
    written.GetField(name, value);
    selection.AddProperty(Reader::FIELD, name);
    selection.AddProperty(Reader::VALUE, du::Symbol(value));
    selection.AddProperty(Reader::IDENTITY, std::uint32_t(written.IsFieldPartOfIdentity(name) ? 1 : 0));
  }
  selection.EndContent();
}

} // namespace

// Only symbols and unsigned values are written: readers of derived annotations take other types
// for themselves and would swallow them.
void AssocAnnotation::Visit(tqk::SerializedContentElement& element) const
{
  Annotation::Visit(element);
  StoredSelections written;
  for (const du::SmartPtr<SlotObject>& slot : m_slots)
    if (slot && slot->GetSelectionItem())
      if (du::ConstSmartPtr<tqk::SelectionItemRepresentation> representation =
              slot->GetSelectionItem()->GetRepresentation())
        written.push_back(representation);
  // A loaded annotation gets live items only once the host has found its picks again; until
  // then its picks are the selections it was loaded with, and a save must not drop them.
  if (written.empty())
    written = m_storedSelections;
  tqk::SerializedContentElement& selections = element.StartContent(Reader::SLOT_SELECTIONS);
  for (const du::ConstSmartPtr<tqk::SelectionItemRepresentation>& selection : written)
    if (selection)
      WriteSelection(selections, *selection);
  selections.EndContent();
}

Reader::SerializedContentVisitor(const du::SmartPtr<AssocAnnotation>& annotation)
    : tqk::Annotation::SerializedContentVisitor(*annotation), m_annotation(annotation)
{
  m_annotation->m_storedSelections.clear();
}

// Selections count only where the writer puts them, directly in the selections element: one read
// from anywhere else would escape SlotsVerification, be saved, and fail the next load.
bool Reader::StartElement(const du::Symbol& name, tqk::SerializedContentElement* element)
{
  ++m_depth;
  if (name == SLOT_SELECTIONS && m_slotSelectionsDepth == 0) {
    m_slotSelectionsDepth = m_depth;
    return true;
  }
  if (name == SELECTION && m_slotSelectionsDepth != 0 && m_depth == m_slotSelectionsDepth + 1) {
    m_selectionDepth = m_depth;
    m_contentType = du::Symbol::EMPTY;
    m_fields.clear();
    return true;
  }
  return tqk::Annotation::SerializedContentVisitor::StartElement(name, element);
}

bool Reader::EndElement(const du::Symbol& name)
{
  const unsigned depth = m_depth--;
  if (depth == m_selectionDepth) {
    du::SmartPtr<tqk::SelectionItemRepresentation> restored(
        new tqk::SelectionItemRepresentation(m_contentType));
    for (const Field& field : m_fields)
      restored->SetField(field.name, field.value, field.identity);
    m_annotation->m_storedSelections.push_back(restored);
    m_selectionDepth = 0;
    return true;
  }
  if (depth == m_slotSelectionsDepth) {
    m_annotation->SlotsVerification(m_annotation->m_storedSelections);
    m_slotSelectionsDepth = 0;
    return true;
  }
  return tqk::Annotation::SerializedContentVisitor::EndElement(name);
}

void Reader::Visit(const du::Symbol& key, const du::Symbol& value)
{
  if (!InSelection())
    return tqk::Annotation::SerializedContentVisitor::Visit(key, value);
  if (key == CONTENT_TYPE)
    m_contentType = value;
  else if (key == FIELD)
    m_fields.push_back(Field{value, std::string(), false});
  else if (key == VALUE && !m_fields.empty())
    m_fields.back().value = value.GetText();
}

void Reader::Visit(const du::Symbol& key, std::uint32_t value)
{
  if (InSelection() && key == IDENTITY && !m_fields.empty())
    m_fields.back().identity = value != 0;
  else
    tqk::Annotation::SerializedContentVisitor::Visit(key, value);
}

} // namespace tqannotations
