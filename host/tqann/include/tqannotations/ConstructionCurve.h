#pragma once

#include <du/SmartPtr.h>
#include <du/Symbol.h>
#include <tqannotations/Annotation.h>
#include <tqg/Edge.h>

#include <vector>

namespace tqannotations {

//! A curve the user constructed in the scene (annotation type CONSTRUCTION_CURVE), made of edges
//! in world space.
class ConstructionCurve : public Annotation
{
public:
  static constexpr tqk::Annotation::AnnotationType CONSTRUCTION_CURVE = 8;

  ConstructionCurve(const du::Symbol& name, std::vector<du::SmartPtr<tqg::Edge>> edges);

  //! The curve's name and its edges (appended to edges); false when it has no edge.
  bool GetCurveInfo(du::Symbol& name, std::vector<du::SmartPtr<tqg::Edge>>& edges) const;

private:
  du::Symbol m_name;
  std::vector<du::SmartPtr<tqg::Edge>> m_edges;
};

} // namespace tqannotations
