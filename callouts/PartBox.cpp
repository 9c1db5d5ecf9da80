#include "callouts/PartBox.h"

#include "common/ValueOperators.h"

#include <tqg/Shape.h>
#include <tqk/Instance.h>
#include <tqk/Shape.h>
#include <tqk/ShapeInstance.h>

namespace tqannotations {

bool PartBox(const tqk::Instance* instance, const tqk::ShapeInstance& part, dg::FBox& box)
{
  const dg::FBox declared = instance ? instance->GetShapeSourceBBox() : dg::FBox::EMPTY;
  if (!(declared == dg::FBox::EMPTY)) {
    box = declared;
    return true;
  }
  const du::SmartPtr<tqk::Shape> shape = part.GetShape();
  if (!shape || !shape->GetShapeData())
    return false;
  box = shape->GetShapeData()->ComputeDefaultBBox();
  return true;
}

} // namespace tqannotations
