#include <tqannotations/MarkupDrag.h>
#include <tqk/Kernel.h>
#include <tqk/MarkupController.h>
#include <tqk/RecordOperation.h>
#include <tqk/ShapeView.h>
#include <tqmu/MarkupData.h>
#include <tqmu/ModelContainer.h>
#include <tqmu/ModelShadowPoint.h>

#include <cmath>

namespace tqannotations {

MarkupDrag::MarkupDrag(const du::SmartPtr<tqk::Markup>& markup, const du::SmartPtr<tqk::View>& view)
  : m_markup(markup), m_view(view)
{
}

MarkupDrag::~MarkupDrag() { Finish(); }

namespace {

// The pickable grab point of the model tree nearest to the pixel, within its widened square.
void FindGrabPoint(const du::SmartPtr<tqmu::ModelBase>& model, const dg::DMat44& worldToView,
                   int x, int y, du::SmartPtr<tqmu::ModelBase>& best, double& bestDistance)
{
  if (const auto container = du::SmartPtr<tqmu::ModelContainer>::DynamicCast(model)) {
    for (const du::SmartPtr<tqmu::ModelBase>& child : container->GetChildren())
      FindGrabPoint(child, worldToView, x, y, best, bestDistance);
    return;
  }
  const auto point = du::SmartPtr<tqmu::ModelShadowPoint>::DynamicCast(model);
  if (!point || !point->IsPickable())
    return;
  const dg::DPoint3D inView = point->GetLocation().GetPosition() * worldToView;
  const double dx = std::fabs(inView.x - x), dy = std::fabs(inView.y - y);
  const double slack = 2.0;
  if (dx > point->GetWidth() / 2 + slack || dy > point->GetHeight() / 2 + slack)
    return;
  const double distance = dx * dx + dy * dy;
  if (!best || distance < bestDistance) {
    best = point;
    bestDistance = distance;
  }
}

} // namespace

bool MarkupDrag::BeginShadow()
{
  if (!m_markup || m_shadow || m_stopped || !m_markup->BeginShadowDrag(m_view))
    return false;
  m_shadow = du::SmartPtr<tqmk::MarkupShadow>::DynamicCast(m_markup->GetShadow());
  if (!m_shadow) { // a shadow the host cannot drive
    m_markup->EndShadowDrag();
    return false;
  }
  return true;
}

bool MarkupDrag::Start(const du::SmartPtr<tqmu::ModelBase>& pickedModel)
{
  return BeginShadow() && HandleStart(pickedModel);
}

bool MarkupDrag::StartAt(int x, int y)
{
  if (!BeginShadow())
    return false;
  du::SmartPtr<tqmu::ModelBase> picked;
  const auto content = du::SmartPtr<tqmu::MarkupData>::DynamicCast(m_shadow->GetContent());
  const auto* shapeView = dynamic_cast<const tqk::ShapeView*>(m_view.Get());
  if (content && shapeView) {
    dg::Camera3D camera;
    shapeView->GetCamera(camera);
    double distance = 0.0;
    FindGrabPoint(content->GetModelBase(), camera.GetTransformationMatrix(), x, y, picked, distance);
  }
  return HandleStart(picked);
}

bool MarkupDrag::HandleStart(const du::SmartPtr<tqmu::ModelBase>& pickedModel)
{
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
