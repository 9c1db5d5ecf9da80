#include "CenterLineRoute.h"

#include <tqmk/CenterLineXYZ.h>
#include <tqmk/CenterLineXYZShadow.h>

namespace tqmk {

const du::Symbol CenterLineXYZ::CLASS_TYPE("tqmk::CenterLineXYZ");

void CenterLineXYZ::GetClassTypes(std::vector<du::Symbol>& types) const
{
  types.push_back(CLASS_TYPE);
  LeaderLine::GetClassTypes(types);
}

void CenterLineXYZ::BuildPoints(const dg::DPoint3D& first, const dg::DPoint3D& second, bool alongXYZ,
                                float startExtension, float endExtension, float dragFactor,
                                const dg::Location& placement, const std::uint16_t xyzOrder[3],
                                std::vector<dg::DPoint3D>& points)
{
  CenterLineRoute::Build(first, second, alongXYZ, startExtension, endExtension, dragFactor, placement,
                         xyzOrder, points);
}

void CenterLineXYZ::SetPoints(const std::vector<dg::DPoint3D>& points)
{
  GetModel()->GetVertices() = points;
  NotifyContentChanged();
}

double CenterLineXYZ::GetStartExtension() const { return CenterLineRoute::StartExtension(GetPoints()); }

double CenterLineXYZ::GetEndExtension() const { return CenterLineRoute::EndExtension(GetPoints()); }

float CenterLineXYZ::GetDragFactor() const { return CenterLineRoute::DragFactor(GetPoints(), m_dragFactor); }

tqk::Markup* CenterLineXYZ::ConstructShadow(const du::SmartPtr<tqk::View>& view)
{
  return new CenterLineXYZShadow(view, du::SmartPtr<CenterLineXYZ>(this));
}

} // namespace tqmk
