#include <moduleutils/NewLumbraDerivedCSys.h>
#include <tqg/Shape.h>
#include <tqg/WorldBox.h>
#include <tqk/GeometrySelectionItem.h>
#include <tqk/Instance.h>
#include <tqk/Shape.h>
#include <tqk/ShapeInstance.h>
#include <tqk/ShapeScene.h>

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

std::optional<Axis> AxisOf(const tqk::SelectionItem& item, const tqk::ShapeInstance& part, const dg::DMat44& placement)
{
  const auto* picked = dynamic_cast<const tqk::GeometrySelectionItem*>(&item);
  if (picked && picked->GetGeometry())
    return LongestSideOf(picked->GetGeometry()->GetWorldBox(placement));
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
