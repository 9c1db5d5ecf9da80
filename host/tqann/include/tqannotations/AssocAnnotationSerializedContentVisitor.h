#pragma once

#include <du/SmartPtr.h>
#include <du/Symbol.h>
#include <tqannotations/AssocAnnotation.h>
#include <tqk/AnnotationSerializedContentVisitor.h>

#include <string>
#include <vector>

namespace tqannotations {

//! Reads back what AssocAnnotation::Visit writes: the base properties and the slots' selections,
//! which become the annotation's stored selections (replacing those it had). When the selections
//! element ends, the annotation's SlotsVerification drops those it can no longer use. Only
//! "selection" elements directly in a "slotSelections" element are selections; elsewhere they are
//! handed on as any unknown element is.
//!
//! Readers of derived annotations derive from it and hand it what they do not handle.
class AssocAnnotation::SerializedContentVisitor : public tqk::Annotation::SerializedContentVisitor
{
public:
  static const du::Symbol SLOT_SELECTIONS; //!< "slotSelections", the element of the selections
  static const du::Symbol SELECTION;       //!< "selection", one element per selection
  static const du::Symbol CONTENT_TYPE;    //!< "contentType" (symbol)
  static const du::Symbol FIELD;           //!< "field" (symbol): a field's name, opening the field
  static const du::Symbol VALUE;           //!< "value" (symbol): the field's value
  static const du::Symbol IDENTITY;        //!< "identity" (unsigned): 1 when the field identifies

  //! A reader for the annotation, which it holds for the length of the walk.
  explicit SerializedContentVisitor(const du::SmartPtr<AssocAnnotation>& annotation);

  bool StartElement(const du::Symbol& name, tqk::SerializedContentElement* element) override;
  bool EndElement(const du::Symbol& name) override;
  using tqk::Annotation::SerializedContentVisitor::Visit;
  void Visit(const du::Symbol& key, const du::Symbol& value) override;
  void Visit(const du::Symbol& key, std::uint32_t value) override;

protected:
  const du::SmartPtr<AssocAnnotation>& GetAssocAnnotation() const { return m_annotation; }

private:
  struct Field
  {
    du::Symbol name;
    std::string value;
    bool identity = false;
  };

  //! Whether the walk stands directly in a selection element, where its fields are.
  bool InSelection() const { return m_selectionDepth != 0 && m_depth == m_selectionDepth; }

  du::SmartPtr<AssocAnnotation> m_annotation;
  unsigned m_depth = 0;               // elements open in the walk
  unsigned m_slotSelectionsDepth = 0; // the depth of the open selections element; 0 outside one
  unsigned m_selectionDepth = 0;      // the depth of the open selection element; 0 outside one
  du::Symbol m_contentType;
  std::vector<Field> m_fields;
};

} // namespace tqannotations
