#pragma once

#include <dg/DPoint3D.h>
#include <tqg/Datum.h>

namespace tqg {

//! An axis, shown between two points of the line it stands for.
class DatumAxis : public Datum
{
public:
  DatumAxis(const dg::DPoint3D& start, const dg::DPoint3D& end) : m_start(start), m_end(end) {}

  const dg::DPoint3D& GetStart() const { return m_start; }
  const dg::DPoint3D& GetEnd() const { return m_end; }

  dg::DBox GetWorldBox(const dg::DMat44& placement) const override;

private:
  dg::DPoint3D m_start;
  dg::DPoint3D m_end;
};

} // namespace tqg
