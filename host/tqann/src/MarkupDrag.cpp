#include <tqannotations/MarkupDrag.h>
#include <tqk/Kernel.h>
#include <tqk/MarkupController.h>
#include <tqk/RecordOperation.h>

namespace tqannotations {

MarkupDrag::MarkupDrag(const du::SmartPtr<tqk::Markup>& markup, const du::SmartPtr<tqk::View>& view)
  : m_markup(markup), m_view(view)
{
}

MarkupDrag::~MarkupDrag() { Finish(); }

bool MarkupDrag::Start(const du::SmartPtr<tqmu::ModelBase>& pickedModel)
{
  if (!m_markup || m_shadow || m_stopped || !m_markup->BeginShadowDrag(m_view))
    return false;
  m_shadow = du::SmartPtr<tqmk::MarkupShadow>::DynamicCast(m_markup->GetShadow());
  if (!m_shadow) { // a shadow the host cannot drive
    m_markup->EndShadowDrag();
    return false;
  }
  m_shadow->SetPickedModel(pickedModel);
  if (!m_shadow->HandleDragStart()) {
    Finish();
    return false;
  }
  return true;
}

bool MarkupDrag::Step(const dg::DVec3& offset)
{
  if (!m_shadow || m_stopped)
    return false;
  m_shadow->SetDragOffset(offset);
  m_shadow->HandleDragStep();
  return true;
}

bool MarkupDrag::Stop(int x, int y, const du::SmartPtr<tqk::Operation>& operation, bool pumpKernel)
{
  if (!m_shadow || m_stopped)
    return false;
  m_stopped = true;
  m_shadow->SetDragStopPosition(x, y);
  m_shadow->HandleDragStop();
  if (tqk::MarkupController* controller = m_markup->GetController())
    controller->MarkupUpdated(m_markup, m_shadow, operation);
  if (operation)
    tqk::RecordOperation(operation);
  if (pumpKernel) {
    tqk::Kernel::GetKernel()->PumpQueue();
    Finish();
  }
  return true;
}

void MarkupDrag::Finish()
{
  if (!m_shadow)
    return;
  m_shadow.Reset();
  m_markup->EndShadowDrag();
}

} // namespace tqannotations
