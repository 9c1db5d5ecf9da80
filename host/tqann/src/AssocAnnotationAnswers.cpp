#include <tqannotations/AssocAnnotation.h>
#include <tqg/Shape.h>
#include <tqg/WorldBox.h>
#include <tqk/AsyncEvent.h>
#include <tqk/Kernel.h>
#include <tqk/Shape.h>
#include <tqk/ShapeInstance.h>
#include <tqk/ShapeScene.h>
#include <tqk/ShapeView.h>
#include <tqk/WriteLockScope.h>

namespace tqannotations {

void AssocAnnotation::ClearAsyncEvents()
{
  ++m_answerGeneration;
  m_geometryAnswerQueued = false;
  m_boundsAnswerQueued = false;
}

bool AssocAnnotation::LoadGeometry(const du::SmartPtr<tqk::ShapeInstance>& part, du::Flags)
{
  if (!part)
    return false;
  // The stand-in's geometry is in memory already: loading is only the wait for the answer, which
  // one queued answer gives for every part asked for before the queue is pumped.
  if (!m_geometryAnswerQueued) {
    const du::SmartPtr<AssocAnnotation> self(this);
    const unsigned generation = m_answerGeneration;
    m_geometryAnswerQueued =
        tqk::Kernel::GetKernel()->Post([self, generation] { self->AnswerGeometry(generation); });
  }
  return true;
}

void AssocAnnotation::GetViewBounds()
{
  if (m_boundsAnswerQueued)
    return;
  const du::SmartPtr<AssocAnnotation> self(this);
  const unsigned generation = m_answerGeneration;
  m_boundsAnswerQueued =
      tqk::Kernel::GetKernel()->Post([self, generation] { self->AnswerViewBounds(generation); });
}

// The answers run on the thread that pumps the queue, while other threads may change the picks
// (which asks anew) or the scene under the annotation's lock: each answer holds it too.
void AssocAnnotation::AnswerGeometry(unsigned generation)
{
  const tqk::WriteLockScope lock(GetLockOwner());
  if (generation != m_answerGeneration || !m_geometryAnswerQueued)
    return;
  m_geometryAnswerQueued = false;
  OnAllGeometryLoaded();
}

void AssocAnnotation::AnswerViewBounds(unsigned generation)
{
  const tqk::WriteLockScope lock(GetLockOwner());
  if (generation != m_answerGeneration || !m_boundsAnswerQueued)
    return;
  m_boundsAnswerQueued = false;
  dg::DBox bounds;
  if (m_shapeScene)
    for (const du::SmartPtr<tqk::ShapeInstance>& part : m_shapeScene->GetShapeInstances())
      if (part->IsVisible() && part->GetShape() && part->GetShape()->GetShapeData()) {
        const dg::DBox box =
            tqg::GetWorldBox(*part->GetShape()->GetShapeData(), part->GetLocation().GetXform());
        if (!box.IsEmpty()) {
          bounds.Extend(box.min);
          bounds.Extend(box.max);
        }
      }
  m_viewBounds = bounds;
  for (const du::SmartPtr<tqk::View>& view : GetViews())
    if (const auto shapeView = du::SmartPtr<tqk::ShapeView>::DynamicCast(view)) {
      m_measurementView = shapeView;
      break;
    }
  OnViewBoundsReceived();
}

void AssocAnnotation::OnAllGeometryLoaded() { GetViewBounds(); }

void AssocAnnotation::OnViewBoundsReceived()
{
  if (!m_request)
    return;
  const du::SmartPtr<tqk::AsyncEvent> request = m_request;
  m_request.Reset();
  request->Complete();
}

} // namespace tqannotations
