#include <tqannotations/Callout.h>

#include "callouts/LeaderClipping.h"
#include "common/ReadLockGuard.h"
#include "common/ValueOperators.h"
#include "common/WriteLockGuard.h"

#include <tqannotations/CalloutLeaderShadow.h>

#include <dg/Camera3D.h>
#include <tqk/Scene.h>
#include <tqk/ShapeView.h>
#include <tqmk/CalloutLabel.h>

namespace tqannotations {
namespace {

dg::FPoint2D Projected(const dg::DPoint3D& point, const dg::DMat44& camera)
{
  const dg::DPoint3D inView = point * camera;
  return dg::FPoint2D(float(inView.x), float(inView.y));
}

} // namespace

bool Callout::IntersectLeader(const dg::FBox2D& box, const dg::Segment<float, 2>& segment, float,
                              dg::FPoint2D& hit, float& t)
{
  return IntersectBoxOutline(box, segment, hit, t);
}

bool Callout::PrepareClipping(dg::FBox2D& box, dg::DPoint3D& labelInWorld, dg::DMat44& camera)
{
  if (!m_label || m_label->GetShape() != tqmu::ModelNote::NO_SHAPE || !m_scene)
    return false;
  const auto view = du::SmartPtr<tqk::ShapeView>::DynamicCast(m_scene->GetView(0));
  if (!view || m_kind == CALLOUT_NOTE)
    return false;
  dg::Location placement;
  if (!GetInstanceLocationAtPos(placement, 0))
    return false;
  labelInWorld = m_info.position * placement;
  dg::Camera3D viewCamera;
  view->GetCamera(viewCamera);
  camera = viewCamera.GetTransformationMatrix();
  box.Translate(Projected(labelInWorld, camera));
  return true;
}

bool Callout::ClippedLabelEnd(const CalloutLeader& leader, const dg::FBox2D& box,
                              const dg::DPoint3D& labelInWorld, const dg::DMat44& camera,
                              dg::DPoint3D& clipped)
{
  const std::vector<dg::DPoint3D> points = leader.GetPoints();
  if (points.size() < 2)
    return false;
  const dg::DPoint3D& towardsAnchor = points[1];
  const dg::Segment<float, 2> segment(Projected(towardsAnchor, camera), Projected(labelInWorld, camera));
  dg::FPoint2D hit;
  float t = 1.0f;
  if (!IntersectLeader(box, segment, 0.0f, hit, t))
    return false;
  clipped = towardsAnchor + (labelInWorld - towardsAnchor) * double(t);
  return true;
}

void Callout::ShortenLeaders(dg::FBox2D& box)
{
  // The host draws on its own thread while others may add leaders or move the label. The host
  // holds the write side while it draws the label (tqk::ShapeView::Redraw), so taking it again
  // here cannot abort; a caller that holds only the read side must not draw.
  WriteLockGuard lock(*this);
  dg::FBox2D textBox = box;
  dg::DPoint3D labelInWorld;
  dg::DMat44 camera;
  if (!PrepareClipping(textBox, labelInWorld, camera))
    return;
  for (const du::SmartPtr<CalloutLeader>& leader : m_leaders) {
    if (!leader)
      continue;
    dg::DPoint3D labelEnd;
    if (!ClippedLabelEnd(*leader, textBox, labelInWorld, camera, labelEnd))
      continue;
    if (!(labelEnd != leader->GetPoints()[0]))
      continue;
    leader->MovePoint(0, labelEnd);
    // During a drag the shadow's points are the ones drawn; they must end at the text as well.
    if (const auto shadow = du::SmartPtr<CalloutLeaderShadow>::DynamicCast(leader->GetShadow()))
      shadow->MovePoint(0, labelEnd);
  }
}

void Callout::CalcShortenLeaderAt(dg::FBox2D& box, dg::DPoint3D& point, unsigned int index)
{
  ReadLockGuard lock(*this);
  dg::FBox2D textBox = box;
  dg::DPoint3D labelInWorld;
  dg::DMat44 camera;
  if (!PrepareClipping(textBox, labelInWorld, camera))
    return;
  if (index >= m_leaders.size() || !m_leaders[index])
    return;
  ClippedLabelEnd(*m_leaders[index], textBox, labelInWorld, camera, point);
}

} // namespace tqannotations
