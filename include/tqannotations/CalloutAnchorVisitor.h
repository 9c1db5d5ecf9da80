#pragma once

#include <dg/DPoint3D.h>
#include <du/SmartPtr.h>
#include <tqannotations/Export.h>
#include <tqg/ShapeVisitor.h>
#include <tqk/ShapeInstance.h>

#include <string>

namespace tqannotations {

//! Finds the point of a named face of a part nearest to a point, for placing an anchor on that
//! face. Run it over the part's shape (tqg::Shape::Accept); points are in the part's own space.
class TQANNOTATIONS_EXPORT CalloutAnchorVisitor : public tqg::ShapeVisitor
{
public:
  //! Passes a face of another name by; on the named face, moves point to the face's point
  //! nearest to it (leaving it as it was when there is none) and stops the walk.
  State Visit(const tqg::Face* face) override;

  std::string faceName;
  //! The target point on entry; the nearest point of the face after the visit.
  dg::DPoint3D point;
  //! The part that places the face in the scene.
  du::SmartPtr<tqk::ShapeInstance> part;
};

} // namespace tqannotations
