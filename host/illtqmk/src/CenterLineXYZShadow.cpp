#include <tqmk/CenterLineXYZShadow.h>

namespace tqmk {

const du::Symbol CenterLineXYZShadow::CLASS_TYPE("tqmk::CenterLineXYZShadow");

namespace {

dg::DPoint3D Moved(const dg::DPoint3D& point, const dg::DVec3& offset)
{
  return dg::DPoint3D(point.x + offset.x, point.y + offset.y, point.z + offset.z);
}

} // namespace

CenterLineXYZShadow::CenterLineXYZShadow(const du::SmartPtr<tqk::View>& view,
                                         const du::SmartPtr<CenterLineXYZ>& line)
    : MarkupShadow(view, true), m_line(line)
{
  HandleDragStart();
}

void CenterLineXYZShadow::GetClassTypes(std::vector<du::Symbol>& types) const
{
  types.push_back(CLASS_TYPE);
  MarkupShadow::GetClassTypes(types);
}

bool CenterLineXYZShadow::SetDraggedPoint(int index)
{
  if (index < 0 || static_cast<std::size_t>(index) >= m_points.size())
    return false;
  m_dragged = index;
  return true;
}

bool CenterLineXYZShadow::HandleDragStart()
{
  m_startPoints = m_line ? m_line->GetPoints() : std::vector<dg::DPoint3D>();
  m_points = m_startPoints;
  return true;
}

void CenterLineXYZShadow::HandleDragStep()
{
  if (m_dragged < 0 || static_cast<std::size_t>(m_dragged) >= m_startPoints.size())
    return;
  const dg::DVec3 offset = GetDeltaInObjectSpace(GetDragOffset());
  const std::size_t dragged = static_cast<std::size_t>(m_dragged);
  const std::size_t count = m_startPoints.size();
  m_points = m_startPoints;
  m_points[dragged] = Moved(m_startPoints[dragged], offset);
  // An end takes its extension point with it, so that the extension keeps its length.
  if (count >= 4 && dragged == 1)
    m_points[0] = Moved(m_startPoints[0], offset);
  else if (count >= 4 && dragged == count - 2)
    m_points[count - 1] = Moved(m_startPoints[count - 1], offset);
}

void CenterLineXYZShadow::Translate(const dg::DVec3& offset)
{
  for (dg::DPoint3D& point : m_points)
    point = Moved(point, offset);
  SetRefPoint(Moved(GetRefPoint(), offset));
}

} // namespace tqmk
