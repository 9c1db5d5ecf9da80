#include <tqannotations/MoveOperationStep.h>

namespace tqannotations {

MoveOperationStep::MoveOperationStep(const du::SmartPtr<Annotation>& annotation, unsigned markupIndex,
                                     const dg::Location& oldLocation, const dg::Location& newLocation)
    : m_annotation(annotation), m_markupIndex(markupIndex), m_oldLocation(oldLocation),
      m_newLocation(newLocation)
{}

void MoveOperationStep::Undo()
{
  if (m_annotation)
    m_annotation->SetMarkupLocation(m_markupIndex, m_oldLocation);
}

void MoveOperationStep::Redo()
{
  if (m_annotation)
    m_annotation->SetMarkupLocation(m_markupIndex, m_newLocation);
}

} // namespace tqannotations
