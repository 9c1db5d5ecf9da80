#include <tqannotations/CalloutLeaderShadow.h>

#include <tqannotations/CalloutLeader.h>

#include "common/SharedHeaderKeys.h"
#include "common/ValueOperators.h"

#include <du/Localizer.h>
#include <tqk/Kernel.h>
#include <tqk/MarkupController.h>
#include <tqk/PickEvent.h>
#include <tqk/PickMode.h>
#include <tqk/RecordOperation.h>
#include <tqk/ShapeScene.h>
#include <tqk/ShapeView.h>
#include <tqk/illustration/SbomInstance.h>
#include <tqmk/DragCursor.h>
#include <tqmk/MarkupData.h>

#include <algorithm>
#include <cstdint>
#include <mutex>
#include <set>

namespace tqannotations {
namespace {

// One more header key that this unit shares with the host's structure-tree units.
const du::Symbol kHeaderSbomInstance("SbomInstance");

const du::Symbol kPickEventClass("tqmk::CalloutLeaderShadowPickEvent");

const char* const kMessageCatalogue = "tqbase:tqmodulesStrings";
const char* const kMoveLeaderPointKey = "31";

// Grab points: a small filled square each.
const float kGrabPointSize = 2.0f;
// The host's preset of drawing attributes for shadow lines.
const auto kShadowLineAttrs = tqmu::RenderAttrs::RenderAttrsVectorIndex(11);

du::SmartPtr<tqmu::ModelShadowPoint> NewGrabPoint(const dg::DPoint3D& position)
{
  du::SmartPtr<tqmu::ModelShadowPoint> point(
      new tqmu::ModelShadowPoint(position, kGrabPointSize, kGrabPointSize, true));
  point->SetPickable(true);
  return point;
}

//! The pick request of a drop. It holds its shadow until the pick is done, so that a late answer
//! never reaches a shadow that is gone. However the pick ends, the host says so through
//! OnPickDone; one that ends without an answer (the view shows no scene, the pick was cancelled
//! or failed) puts the grabbed point back rather than leaving it where the mouse let go.
class CalloutLeaderShadowPickEvent : public tqk::PickEvent
{
public:
  explicit CalloutLeaderShadowPickEvent(const du::SmartPtr<CalloutLeaderShadow>& shadow) : m_shadow(shadow) {}

  du::Symbol GetObjectClass() const override { return kPickEventClass; }

  // The hits are read when the pick is done; their count alone decides nothing.
  void OnPickNotify(std::uint32_t) override {}

  void OnPickDone(int flag) override
  {
    const du::SmartPtr<CalloutLeaderShadow> shadow = TakeShadow();
    if (shadow)
      shadow->OnReceivePick(flag == 0 ? GetResults() : std::vector<tqk::PickResult>());
  }

private:
  du::SmartPtr<CalloutLeaderShadow> TakeShadow()
  {
    std::lock_guard<std::mutex> lock(m_mutex);
    du::SmartPtr<CalloutLeaderShadow> shadow = m_shadow;
    m_shadow.Reset();
    return shadow;
  }

  std::mutex m_mutex;
  du::SmartPtr<CalloutLeaderShadow> m_shadow;
};

bool SamePoints(const std::vector<dg::DPoint3D>& a, const std::vector<dg::DPoint3D>& b)
{
  return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                    [](const dg::DPoint3D& p, const dg::DPoint3D& q) { return !(p != q); });
}

} // namespace

CalloutLeaderShadow::CalloutLeaderShadow(const du::SmartPtr<tqk::View>& view, CalloutLeader* leader)
    : tqmk::MarkupShadow(view, true), m_container(new tqmu::ModelContainer),
      m_lineStrip(new tqmu::ModelLineStrip(8))
{
  m_lineStrip->SetRenderAttrsByIndex(kShadowLineAttrs);
  m_lineStrip->SetDrawOnTop(false);
  m_lineStrip->SetLineWidth(0.0f);
  m_lineStrip->SetStippleScale(0.0f);
  m_container->AddHead(m_lineStrip);
  m_leader = leader;
  if (m_leader)
    SetRefPoint(m_leader->GetModel()->GetLocation().GetPosition());
  Initialize();
  du::SmartPtr<tqmk::MarkupData> content(new tqmk::MarkupData(this));
  content->SetModelBase(m_container);
  SetContent(content, false);
}

CalloutLeaderShadow::~CalloutLeaderShadow() = default;

void CalloutLeaderShadow::Initialize()
{
  const std::vector<dg::DPoint3D> points = m_leader ? m_leader->GetPoints() : std::vector<dg::DPoint3D>();
  m_shadowPoints.resize(points.size());
  for (std::size_t index = 0; index < points.size(); ++index) {
    m_lineStrip->GetVertices().push_back(points[index]);
    du::SmartPtr<tqmu::ModelShadowPoint> point = NewGrabPoint(points[index]);
    // The label end moves with the label, not on its own; both ends are drawn as ends.
    if (index == 0) {
      point->SetMovable(false);
      point->SetEndPoint(true);
    }
    if (index + 1 == points.size())
      point->SetEndPoint(true);
    m_container->AddHead(point);
    m_shadowPoints[index] = point;
  }
}

void CalloutLeaderShadow::MarkupChanged()
{
  // Initialize appends: the points drawn so far go first, so that none is drawn twice.
  for (const du::SmartPtr<tqmu::ModelShadowPoint>& point : m_shadowPoints)
    m_container->Remove(point);
  m_shadowPoints.clear();
  m_lineStrip->GetVertices().clear();
  Initialize();
  // A point the shadow had beyond the leader's is gone now, and with it the grab on it.
  if (m_draggedNode >= 0 && std::size_t(m_draggedNode) >= m_shadowPoints.size())
    m_draggedNode = -1;
  NotifyContentChanged();
}

bool CalloutLeaderShadow::GetDragCursor(const du::SmartPtr<tqmu::ModelBase>& model, du::Symbol& cursor)
{
  if (!du::SmartPtr<tqmu::ModelShadowPoint>::DynamicCast(model))
    return false;
  cursor = tqmk::dragCursorMoveNode;
  return true;
}

du::SmartPtr<tqk::Markup> CalloutLeaderShadow::GetMarkup() { return m_leader; }

bool CalloutLeaderShadow::HandleDragStart()
{
  m_draggedNode = -1;
  m_points = m_lineStrip->GetVertices();
  const du::SmartPtr<tqmu::ModelBase>& picked = GetPickedModel();
  for (std::size_t index = 0; picked && index < m_shadowPoints.size(); ++index)
    if (m_shadowPoints[index] == picked) {
      m_draggedNode = int(index);
      break;
    }
  const du::SmartPtr<tqk::View>& view = GetView();
  if (m_draggedNode >= 0 && view && view->GetWindow())
    view->GetWindow()->SetCursor(tqmk::dragCursorMoveNode);
  return true;
}

void CalloutLeaderShadow::HandleDragStep()
{
  const dg::DVec3 offset = GetDeltaInObjectSpace(GetDragOffset());
  if (m_draggedNode < 0)
    return;
  MoveNode(m_draggedNode, offset);
  NotifyContentChanged();
}

void CalloutLeaderShadow::HandleDragStop()
{
  if (m_draggedNode < 0)
    return;
  if (dynamic_cast<tqk::ShapeView*>(GetView().Get()))
    RequestPick(GetDragStopX(), GetDragStopY());
  else
    OnReceivePick(std::vector<tqk::PickResult>());
}

void CalloutLeaderShadow::Translate(const dg::DVec3& offset)
{
  const dg::DVec3 delta = GetDeltaInObjectSpace(offset);
  m_points = m_lineStrip->GetVertices();
  for (std::size_t index = 0; index < m_points.size(); ++index)
    MoveNode(int(index), delta);
  NotifyContentChanged();
}

void CalloutLeaderShadow::Stop(const dg::DVec3&, const du::SmartPtr<tqk::Operation>& operation)
{
  if (tqk::MarkupController* controller = m_leader ? m_leader->GetController() : nullptr)
    controller->MarkupUpdated(m_leader, du::SmartPtr<tqk::Markup>(this), operation);
}

void CalloutLeaderShadow::MovePoint(int index, const dg::DPoint3D& position)
{
  if (index < 0 || std::size_t(index) >= m_shadowPoints.size())
    return;
  SetPointAt(std::size_t(index), position);
  NotifyContentChanged();
}

void CalloutLeaderShadow::MoveNode(int index, const dg::DVec3& offset)
{
  if (index < 0 || std::size_t(index) >= m_shadowPoints.size())
    return;
  SetPointAt(std::size_t(index), RestingPoint(std::size_t(index)) + offset);
}

void CalloutLeaderShadow::SetPointAt(std::size_t index, const dg::DPoint3D& position)
{
  if (index >= m_shadowPoints.size())
    return;
  m_shadowPoints[index]->GetLocation().SetPos(position);
  std::vector<dg::DPoint3D>& vertices = m_lineStrip->GetVertices();
  if (index < vertices.size())
    vertices[index] = position;
}

dg::DPoint3D CalloutLeaderShadow::RestingPoint(std::size_t index) const
{
  const std::vector<dg::DPoint3D> leaderPoints =
      m_leader ? m_leader->GetPoints() : std::vector<dg::DPoint3D>();
  if (index < leaderPoints.size())
    return leaderPoints[index];
  if (index < m_points.size())
    return m_points[index];
  return m_shadowPoints[index]->GetLocation().GetPosition();
}

du::SmartPtr<tqmu::ModelShadowPoint> CalloutLeaderShadow::InsertPoint(const dg::DPoint3D& position)
{
  const std::vector<dg::DPoint3D> leaderPoints =
      m_leader ? m_leader->GetPoints() : std::vector<dg::DPoint3D>();
  // Segments run between leader points that the shadow also has.
  const std::size_t ends = std::min(m_shadowPoints.size(), leaderPoints.size());
  std::size_t insertAt = 0;
  if (m_shadowPoints.size() > 1 && ends > 1) {
    std::size_t best = 0;
    double bestDistance = 0.0;
    for (std::size_t index = 0; index + 1 < ends; ++index) {
      const double distance = PointToSegmentDistance(
          position, dg::Segment<double, 3>(leaderPoints[index], leaderPoints[index + 1]));
      if (index == 0 || distance < bestDistance) {
        best = index;
        bestDistance = distance;
      }
    }
    insertAt = best + 1;
  }
  std::vector<dg::DPoint3D>& vertices = m_lineStrip->GetVertices();
  vertices.insert(vertices.begin() + std::ptrdiff_t(std::min(insertAt, vertices.size())), position);
  du::SmartPtr<tqmu::ModelShadowPoint> point = NewGrabPoint(position);
  m_container->AddHead(point);
  m_shadowPoints.insert(m_shadowPoints.begin() + std::ptrdiff_t(insertAt), point);
  m_draggedNode = int(insertAt);
  NotifyContentChanged();
  return point;
}

void CalloutLeaderShadow::RemovePoint(int index)
{
  if (index < 0 || std::size_t(index) >= m_shadowPoints.size())
    return;
  std::vector<dg::DPoint3D>& vertices = m_lineStrip->GetVertices();
  if (std::size_t(index) < vertices.size())
    vertices.erase(vertices.begin() + index);
  m_container->Remove(m_shadowPoints[std::size_t(index)]);
  m_shadowPoints.erase(m_shadowPoints.begin() + index);
}

double CalloutLeaderShadow::PointToSegmentDistance(const dg::DPoint3D& point,
                                                   const dg::Segment<double, 3>& segment)
{
  const dg::DVec3 direction = segment.end - segment.start;
  const double lengthSquared = direction.Dot(direction);
  if (!(lengthSquared > 0.0)) // a segment without length has no line: its point is the nearest
    return (point - segment.start).Norm();
  const double t = (point - segment.start).Dot(direction) / lengthSquared;
  return (point - (segment.start + direction * t)).Norm();
}

void CalloutLeaderShadow::RequestPick(int x, int y)
{
  const du::SmartPtr<tqk::Kernel> kernel = tqk::Kernel::GetKernel();
  auto* view = dynamic_cast<tqk::ShapeView*>(GetView().Get());
  if (!kernel || !view) {
    OnReceivePick(std::vector<tqk::PickResult>());
    return;
  }
  du::SmartPtr<tqk::PickEvent> event(
      new CalloutLeaderShadowPickEvent(du::SmartPtr<CalloutLeaderShadow>(this)));
  kernel->ManageObject(event);
  view->PickAsync(x, y, tqk::PICK_ALL, event);
}

void CalloutLeaderShadow::OnReceivePick(const std::vector<tqk::PickResult>& results)
{
  if (m_draggedNode < 0)
    return;
  for (const tqk::PickResult& result : results)
    if (AcceptsHit(result)) {
      SetDragStopPosition(result.GetPickedPoint());
      return;
    }
  SpringBack();
}

bool CalloutLeaderShadow::AcceptsHit(const tqk::PickResult& result) const
{
  const auto hit = du::SmartPtr<tqk::ShapeInstance>::DynamicCast(result.GetObject());
  if (!hit || !m_leader)
    return false;
  const auto assembly =
      du::SmartPtr<tqk::illustration::SbomInstance>::DynamicCast(m_leader->GetAssemblyInstance());
  if (!assembly)
    return hit == m_leader->GetShapeInstance();
  // A part picked in the structure tree stands for its whole weld.
  const du::SmartPtr<tqk::View>& view = GetView();
  const auto scene = du::SmartPtr<tqk::ShapeScene>::DynamicCast(view ? view->GetScene() : nullptr);
  if (!scene)
    return false;
  std::set<du::SmartPtr<tqk::Instance>> first;
  std::set<du::SmartPtr<tqk::Instance>> second;
  assembly->GetEbomInstancesForWeld(first, second);
  first.insert(second.begin(), second.end());
  for (const du::SmartPtr<tqk::Instance>& candidate : first)
    if (scene->GetShapeInstance(candidate) == hit)
      return true;
  return false;
}

void CalloutLeaderShadow::SpringBack()
{
  const std::size_t index = std::size_t(m_draggedNode);
  if (index < m_shadowPoints.size())
    SetPointAt(index, RestingPoint(index));
  m_draggedNode = -1;
  NotifyContentChanged();
}

void CalloutLeaderShadow::SetDragStopPosition(const dg::DPoint3D& stop)
{
  const std::size_t dragged = std::size_t(m_draggedNode);
  m_points = m_leader->GetPoints();
  if (m_points.size() == m_shadowPoints.size() && dragged < m_points.size())
    m_points[dragged] = stop;
  else // the shadow has a point that the leader has not: the stop comes in as a new point
    m_points.insert(m_points.begin() + std::ptrdiff_t(std::min(dragged, m_points.size())), stop);
  if (tqk::MarkupController* controller = m_leader->GetController()) {
    const std::string name =
        du::Localizer(kMessageCatalogue).LocalizeMessage(kMoveLeaderPointKey, du::Localizer::RETURN_KEY);
    const du::SmartPtr<tqk::Scene> scene = GetView() ? GetView()->GetScene() : nullptr;
    du::SmartPtr<tqk::Operation> operation(new tqk::Operation(name, scene, true));
    SetPointAt(dragged, stop);
    const std::vector<dg::DPoint3D> before = m_leader->GetPoints();
    controller->MarkupUpdated(m_leader, du::SmartPtr<tqk::Markup>(this), operation);
    if (!SamePoints(m_leader->GetPoints(), before))
      tqk::RecordOperation(operation);
    NotifyContentChanged();
  }
  m_draggedNode = -1;
}

} // namespace tqannotations
