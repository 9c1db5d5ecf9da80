#include <tqannotations/MarkupDrag.h>
#include <tqk/Kernel.h>
#include <tqk/MarkupController.h>
#include <tqk/ObjectSelectionItem.h>
#include <tqk/PickEvent.h>
#include <tqk/RecordOperation.h>
#include <tqk/ShapeInstance.h>
#include <tqk/ShapeView.h>
#include <tqk/WriteLockScope.h>
#include <tqk/mcad_selection.h>
#include <tqmk/CenterLineXYZ.h>
#include <tqmk/CenterLineXYZShadow.h>
#include <tqmu/MarkupData.h>
#include <tqmu/ModelContainer.h>
#include <tqmu/ModelShadowPoint.h>

#include <cmath>

namespace tqannotations {

namespace {

//! The lock under which the controller that hears the drag changes the markup.
du::SmartPtr<tqk::LockOwner> DragLock(const du::SmartPtr<tqk::Markup>& markup,
                                      tqk::MarkupController* controller)
{
  if (!controller)
    return markup ? markup->GetControllerLock() : nullptr;
  const auto* locked = dynamic_cast<const tqk::ObjectWithRWLock*>(controller);
  return locked ? locked->GetLockOwner() : nullptr;
}

} // namespace

MarkupDrag::MarkupDrag(const du::SmartPtr<tqk::Markup>& markup, const du::SmartPtr<tqk::View>& view,
                       tqk::MarkupController* controller)
    : m_markup(markup), m_view(view), m_controller(controller), m_lock(DragLock(markup, controller))
{}

MarkupDrag::~MarkupDrag() { Finish(); }

namespace {

// The pickable grab point of the model tree nearest to the pixel, within its widened square.
void FindGrabPoint(const du::SmartPtr<tqmu::ModelBase>& model, const dg::DMat44& worldToView, int x, int y,
                   du::SmartPtr<tqmu::ModelBase>& best, double& bestDistance)
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

// The polyline point of the center line nearest to the pixel, within 4 pixels; -1 for none.
int NearestLinePoint(const tqmk::CenterLineXYZShadow& shadow, const dg::DMat44& worldToView, int x, int y)
{
  const double reach = 4.0;
  int nearest = -1;
  double nearestDistance = reach * reach;
  const std::vector<dg::DPoint3D>& points = shadow.GetPoints();
  for (std::size_t i = 0; i < points.size(); ++i) {
    const dg::DPoint3D inView = points[i] * worldToView;
    const double distance = (inView.x - x) * (inView.x - x) + (inView.y - y) * (inView.y - y);
    if (distance <= nearestDistance) {
      nearest = static_cast<int>(i);
      nearestDistance = distance;
    }
  }
  return nearest;
}

} // namespace

bool MarkupDrag::BeginShadow()
{
  const tqk::WriteLockScope locked(m_lock);
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
  const tqk::WriteLockScope locked(m_lock);
  du::SmartPtr<tqmu::ModelBase> picked;
  const auto content = du::SmartPtr<tqmu::MarkupData>::DynamicCast(m_shadow->GetContent());
  const auto* shapeView = dynamic_cast<const tqk::ShapeView*>(m_view.Get());
  dg::Camera3D camera;
  if (shapeView)
    shapeView->GetCamera(camera);
  if (content && shapeView) {
    double distance = 0.0;
    FindGrabPoint(content->GetModelBase(), camera.GetTransformationMatrix(), x, y, picked, distance);
  }
  if (const auto lineShadow = du::SmartPtr<tqmk::CenterLineXYZShadow>::DynamicCast(m_shadow))
    lineShadow->SetDraggedPoint(NearestLinePoint(*lineShadow, camera.GetTransformationMatrix(), x, y));
  return HandleStart(picked);
}

bool MarkupDrag::HandleStart(const du::SmartPtr<tqmu::ModelBase>& pickedModel)
{
  const tqk::WriteLockScope locked(m_lock);
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
  const tqk::WriteLockScope locked(m_lock);
  m_shadow->SetDragOffset(offset);
  m_shadow->HandleDragStep();
  return true;
}

bool MarkupDrag::Stop(int x, int y, const du::SmartPtr<tqk::Operation>& operation, bool pumpKernel)
{
  if (!m_shadow || m_stopped)
    return false;
  m_stopped = true;
  {
    const tqk::WriteLockScope locked(m_lock);
    m_shadow->SetDragStopPosition(x, y);
    m_shadow->HandleDragStop();
  }
  const bool centerLine = static_cast<bool>(du::SmartPtr<tqmk::CenterLineXYZShadow>::DynamicCast(m_shadow));
  if (centerLine)
    DropCenterLineEnd(x, y);
  tqk::MarkupController* controller = m_controller ? m_controller : m_markup->GetController();
  if (controller)
    controller->MarkupUpdated(m_markup, m_shadow, operation);
  if (operation && !centerLine)
    tqk::RecordOperation(operation);
  if (pumpKernel) {
    tqk::Kernel::GetKernel()->PumpQueue();
    Finish();
  }
  return true;
}

void MarkupDrag::DropCenterLineEnd(int x, int y)
{
  const auto shadow = du::SmartPtr<tqmk::CenterLineXYZShadow>::DynamicCast(m_shadow);
  bool startEnd = false;
  bool endEnd = false;
  {
    const tqk::WriteLockScope locked(m_lock);
    const int dragged = shadow->GetDraggedPoint();
    const int count = static_cast<int>(shadow->GetPoints().size());
    startEnd = dragged >= 0 && dragged <= 1;
    endEnd = dragged >= 2 && dragged >= count - 2;
  }
  const auto shapeView = du::SmartPtr<tqk::ShapeView>::DynamicCast(m_view);
  // The queue is pumped without the lock: what it runs may lock other annotations.
  const du::SmartPtr<tqk::PickEvent> pick(new tqk::PickEvent);
  if ((startEnd || endEnd) && shapeView) {
    shapeView->PickAsync(x, y, tqk::PICK_ALL, pick);
    tqk::Kernel::GetKernel()->PumpQueue();
  }
  const tqk::WriteLockScope locked(m_lock);
  if (startEnd || endEnd) {
    const std::vector<tqk::PickResult>& hits = pick->GetResults();
    const auto part =
        hits.empty() ? nullptr : du::SmartPtr<tqk::ShapeInstance>::DynamicCast(hits.front().GetObject());
    if (part && part->GetInstance()) {
      const du::SmartPtr<tqk::ObjectSelectionItem> item(new tqk::ObjectSelectionItem(part->GetInstance()));
      item->SetContentType(tqk::mcad_selection::Instance);
      if (startEnd)
        shadow->SetStartPointItem(item);
      else
        shadow->SetEndPointItem(item);
    }
  }
  if (const auto line = du::SmartPtr<tqmk::CenterLineXYZ>::DynamicCast(m_markup))
    line->SetPoints(shadow->GetPoints());
}

void MarkupDrag::Finish()
{
  if (!m_shadow)
    return;
  const tqk::WriteLockScope locked(m_lock);
  m_shadow.Reset();
  m_markup->EndShadowDrag();
}

} // namespace tqannotations
