#include <tqg/DatumAxis.h>
#include <tqg/DatumCSys.h>
#include <tqg/DatumPlane.h>

namespace tqg {

dg::DBox DatumAxis::GetWorldBox(const dg::DMat44& placement) const
{
  dg::DBox box;
  box.Extend(m_start * placement);
  box.Extend(m_end * placement);
  return box;
}

dg::DBox DatumPlane::GetWorldBox(const dg::DMat44&) const { return dg::DBox(); }

dg::DBox DatumCSys::GetWorldBox(const dg::DMat44& placement) const
{
  dg::DBox box;
  box.Extend(m_placement.GetPosition() * placement);
  return box;
}

} // namespace tqg
