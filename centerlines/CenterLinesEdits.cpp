#include "common/WriteLockGuard.h"

#include <tqannotations/CenterLinesAnnotation.h>
#include <tqannotations/CenterLinesOperationStep.h>
#include <tqannotations/MeasurementObserver.h>
#include <tqk/Operation.h>
#include <tqk/RecordOperation.h>
#include <tqmk/CenterLineXYZShadow.h>

namespace tqannotations {

bool CenterLinesAnnotation::MarkupUpdated(const du::SmartPtr<tqk::Markup>& changed,
                                          const du::SmartPtr<tqk::Markup>& shadow,
                                          const du::SmartPtr<tqk::Operation>& operation)
{
  WriteLockGuard lock(*this);
  const auto lineShadow = du::SmartPtr<tqmk::CenterLineXYZShadow>::DynamicCast(shadow);
  if (!lineShadow)
    return false;
  du::SmartPtr<CenterLinesRepresentation> owner;
  for (const du::SmartPtr<CenterLinesRepresentation>& representation : m_representations)
    if (representation && representation->OwnsMarkup(changed)) {
      owner = representation;
      break;
    }
  if (!owner)
    return false;

  // An annotation outside any set has no place in the document's history.
  du::SmartPtr<CenterLinesOperationStep> step;
  if (operation && GetAnnotationConnectionId() != -1)
    step = new CenterLinesOperationStep(du::SmartPtr<CenterLinesAnnotation>(this));

  SetAttachedItem(lineShadow->GetEndPointItem(), SECOND_END);
  SetAttachedItem(lineShadow->GetStartPointItem(), FIRST_END);
  owner->GetStartExtention(m_style.lineExtent1);
  owner->GetEndExtention(m_style.lineExtent2);
  Post(new MeasurementObserver::ParametersChangedEvent);
  if (owner->MoveMarkup(lineShadow.Get())) {
    owner->GetDragFactor(m_style.dragFactor);
    owner->GetOriginOffset(m_style.anchorOffset);
    owner->GetEndPointOffset(m_style.endpointOffset);
  }

  if (step) {
    step->SetRedo();
    operation->AddStep(step);
    tqk::RecordOperation(operation);
  }
  return true;
}

} // namespace tqannotations
