#include "callouts/PartBox.h"

#include "common/ValueOperators.h"

#include <tqg/Shape.h>
#include <tqk/Instance.h>
#include <tqk/Shape.h>
#include <tqk/ShapeInstance.h>

namespace tqannotations {

dg::FBox PartBox(const tqk::Instance* instance, const tqk::ShapeInstance& part)
{
  const dg::FBox declared = instance ? instance->GetShapeSourceBBox() : dg::FBox::EMPTY;
  if (!(declared == dg::FBox::EMPTY))
    return declared;
  const du::SmartPtr<tqk::Shape> shape = part.GetShape();
  if (!shape || !shape->GetShapeData())
    return dg::FBox::EMPTY;
  return shape->GetShapeData()->ComputeDefaultBBox();
}

} // namespace tqannotations
