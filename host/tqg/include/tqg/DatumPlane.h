#pragma once

#include <dg/DPoint3D.h>
#include <dg/DVec3.h>
#include <tqg/Datum.h>

namespace tqg {

//! A plane through a point with a normal. It is unbounded, so it has no box.
class DatumPlane : public Datum
{
public:
  DatumPlane(const dg::DPoint3D& origin, const dg::DVec3& normal) : m_origin(origin), m_normal(normal) {}

  const dg::DPoint3D& GetOrigin() const { return m_origin; }
  const dg::DVec3& GetNormal() const { return m_normal; }

  dg::DBox GetWorldBox(const dg::DMat44& placement) const override;

private:
  dg::DPoint3D m_origin;
  dg::DVec3 m_normal;
};

} // namespace tqg
