#include <tqannotations/ConstructionCurve.h>

namespace tqannotations {

ConstructionCurve::ConstructionCurve(const du::Symbol& name, std::vector<du::SmartPtr<tqg::Edge>> edges)
    : Annotation(CONSTRUCTION_CURVE), m_name(name), m_edges(std::move(edges))
{}

bool ConstructionCurve::GetCurveInfo(du::Symbol& name, std::vector<du::SmartPtr<tqg::Edge>>& edges) const
{
  name = m_name;
  edges.insert(edges.end(), m_edges.begin(), m_edges.end());
  return !m_edges.empty();
}

} // namespace tqannotations
