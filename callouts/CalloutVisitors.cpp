#include <tqannotations/CalloutAnchorVisitor.h>
#include <tqannotations/CalloutAssemblyVisitor.h>

#include "callouts/PartBox.h"
#include "common/ValueOperators.h"

#include <dg/DMat44.h>
#include <dg/FBox.h>
#include <dg/Location.h>
#include <tqg/ClosestPoints.h>
#include <tqg/Face.h>
#include <tqk/Instance.h>

#include <cmath>

namespace tqannotations {
tqg::ShapeVisitor::State CalloutAnchorVisitor::Visit(const tqg::Face* face)
{
  if (!face || face->GetName() != faceName)
    return CONTINUE;
  const du::SmartPtr<const tqg::Face> held(face);
  const dg::Location placement = part ? part->GetLocation() : dg::Location();
  const dg::DMat44 transform = placement.GetXform();
  const dg::Segment<double, 3> closest = tqg::GetClosestPoints(face, transform, point * placement);
  dg::DMat44 inverse = transform;
  if (!std::isnan(closest.start.x) && !std::isnan(closest.end.x) && inverse.Invert())
    point = closest.end * inverse;
  return STOP;
}

bool CalloutAssemblyVisitor::Visit(const du::ConstSmartPtr<tqk::Instance>& instance, unsigned)
{
  if (!scene || !instance)
    return true;
  du::SmartPtr<tqk::ShapeInstance> part;
  scene->GetShapeInstance(instance, part);
  if (!part)
    return true;
  dg::FBox box;
  if (PartBox(instance.Get(), *part, box) && !(box == dg::FBox::EMPTY))
    foundParts.push_back(part);
  return true;
}

} // namespace tqannotations
