#include <moduleutils/NewLumbraDerivedCSys.h>
#include <dg/Segment.h>
#include <tqg/Geom_ParticularCurve3D.h>
#include <tqg/Shape.h>
#include <tqg/WorldBox.h>
#include <tqk/GeometrySelectionItem.h>
#include <tqk/Instance.h>
#include <tqk/Shape.h>
#include <tqk/ShapeInstance.h>
#include <tqk/ShapeScene.h>

#include <algorithm>
#include <optional>
#include <utility>

namespace moduleutils {

namespace {

using Axis = std::pair<dg::DPoint3D, dg::DPoint3D>;

// The longest side of the box (the first of equal ones), through the box's centre.
std::optional<Axis> LongestSideOf(const dg::DBox& box)
{
  if (box.IsEmpty())
    return std::nullopt;
  const double extents[3] = {box.max.x - box.min.x, box.max.y - box.min.y, box.max.z - box.min.z};
  int longest = 0;
  for (int k = 1; k < 3; ++k)
    if (extents[k] > extents[longest])
      longest = k;
  const dg::DPoint3D centre = box.GetCenter();
  dg::DPoint3D start = centre;
  dg::DPoint3D end = centre;
  double* startCoordinate[3] = {&start.x, &start.y, &start.z};
  double* endCoordinate[3] = {&end.x, &end.y, &end.z};
  *startCoordinate[longest] -= extents[longest] / 2;
  *endCoordinate[longest] += extents[longest] / 2;
  return Axis(start, end);
}

std::optional<Axis> StraightEdgeAxis(const tqg::Edge& edge, const dg::DMat44& placement)
{
  using StraightCurve = tqg::Geom_ParticularCurve3D<dg::Segment<double, 3>>;
  const auto* straight = dynamic_cast<const StraightCurve*>(edge.GetCurve().Get());
  if (!straight)
    return std::nullopt;
  return Axis(straight->GetDescription().start * placement, straight->GetDescription().end * placement);
}

// From the centre of one end circle to the other: the facets' vertices span the axis between
// the two ends.
std::optional<Axis> CylinderAxis(const tqg::Face& face, const dg::DMat44& placement)
{
  if (face.GetKind() != tqg::FaceKind::CYLINDRICAL || face.GetTriangles().empty())
    return std::nullopt;
  const dg::DPoint3D& origin = face.GetAxisOrigin();
  const dg::DVec3& direction = face.GetAxisDirection();
  double lowest = 0.0;
  double highest = 0.0;
  bool first = true;
  for (const tqg::Face::Triangle& triangle : face.GetTriangles())
    for (const dg::DPoint3D& vertex : triangle) {
      const double t =
          dg::DVec3(vertex.x - origin.x, vertex.y - origin.y, vertex.z - origin.z).Dot(direction);
      lowest = first ? t : std::min(lowest, t);
      highest = first ? t : std::max(highest, t);
      first = false;
    }
  const auto along = [&](double t) {
    return dg::DPoint3D(origin.x + t * direction.x, origin.y + t * direction.y, origin.z + t * direction.z) *
           placement;
  };
  return Axis(along(lowest), along(highest));
}

std::optional<Axis> AxisOf(const tqk::SelectionItem& item, const tqk::ShapeInstance& part,
                           const dg::DMat44& placement)
{
  const auto* picked = dynamic_cast<const tqk::GeometrySelectionItem*>(&item);
  if (picked && picked->GetGeometry()) {
    const tqg::Geometry& geometry = *picked->GetGeometry();
    if (const auto* edge = dynamic_cast<const tqg::Edge*>(&geometry))
      if (std::optional<Axis> axis = StraightEdgeAxis(*edge, placement))
        return axis;
    if (const auto* face = dynamic_cast<const tqg::Face*>(&geometry))
      if (std::optional<Axis> axis = CylinderAxis(*face, placement))
        return axis;
    return LongestSideOf(geometry.GetWorldBox(placement));
  }
  if (!part.GetShape() || !part.GetShape()->GetShapeData())
    return std::nullopt;
  return LongestSideOf(tqg::GetWorldBox(*part.GetShape()->GetShapeData(), placement));
}

dg::Location At(const dg::DPoint3D& position)
{
  dg::Location location = dg::Location::IDENTITY;
  location.SetPos(position);
  return location;
}

} // namespace

du::SmartPtr<LumbraDerivedCSys> NewLumbraDerivedCSys(const du::SmartPtr<tqk::ShapeScene>& scene,
                                                     const du::SmartPtr<tqk::SelectionItem>& item,
                                                     LumbraDerivedCSys::LocationType type)
{
  if (!scene || !item)
    return nullptr;
  const du::SmartPtr<tqk::Instance> instance = item->GetPickedInstance();
  const du::SmartPtr<tqk::ShapeInstance> part = instance ? scene->GetShapeInstance(instance) : nullptr;
  if (!part)
    return nullptr;
  if (type == LumbraDerivedCSys::PLACEMENT)
    return new LumbraDerivedCSys(part->GetLocation(), part->GetLocation());
  const std::optional<Axis> axis = AxisOf(*item, *part, part->GetLocation().GetXform());
  if (!axis)
    return new LumbraDerivedCSys;
  return new LumbraDerivedCSys(At(axis->first), At(axis->second));
}

} // namespace moduleutils
