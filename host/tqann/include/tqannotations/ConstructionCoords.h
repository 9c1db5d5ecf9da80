#pragma once

#include <dg/Location.h>
#include <tqannotations/Annotation.h>

namespace tqannotations {

//! A coordinate system the user constructed in the scene (annotation type CONSTRUCTION_COORDS):
//! a placement in world space.
class ConstructionCoords : public Annotation
{
public:
  static constexpr tqk::Annotation::AnnotationType CONSTRUCTION_COORDS = 0x100;

  explicit ConstructionCoords(const dg::Location& placement)
      : Annotation(CONSTRUCTION_COORDS), m_placement(placement)
  {}

  const dg::Location& GetPlacement() const { return m_placement; }

private:
  dg::Location m_placement;
};

} // namespace tqannotations
