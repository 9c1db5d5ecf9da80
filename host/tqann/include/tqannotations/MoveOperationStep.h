#pragma once

#include <dg/Location.h>
#include <du/SmartPtr.h>
#include <tqannotations/Annotation.h>
#include <tqk/OperationStep.h>

namespace tqannotations {

//! The undo step of a markup moved by the user: undo puts the annotation's markup back at the
//! old location, redo at the new one, both through the annotation's SetMarkupLocation with the
//! markup's index. The locations are in whatever space that annotation reads them.
class MoveOperationStep : public tqk::OperationStep
{
public:
  MoveOperationStep(const du::SmartPtr<Annotation>& annotation, unsigned markupIndex,
                    const dg::Location& oldLocation, const dg::Location& newLocation);

  //! Nothing happens without an annotation.
  void Undo() override;
  void Redo() override;

  const du::SmartPtr<Annotation>& GetAnnotation() const { return m_annotation; }
  unsigned GetMarkupIndex() const { return m_markupIndex; }
  const dg::Location& GetOldLocation() const { return m_oldLocation; }
  const dg::Location& GetNewLocation() const { return m_newLocation; }

private:
  du::SmartPtr<Annotation> m_annotation;
  unsigned m_markupIndex;
  dg::Location m_oldLocation;
  dg::Location m_newLocation;
};

} // namespace tqannotations
