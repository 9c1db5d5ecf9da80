#pragma once

#include <dg/Location.h>
#include <tqg/Datum.h>

namespace tqg {

//! A coordinate system: a placement within the part. Its box is its origin alone.
class DatumCSys : public Datum
{
public:
  explicit DatumCSys(const dg::Location& placement) : m_placement(placement) {}

  const dg::Location& GetPlacement() const { return m_placement; }

  dg::DBox GetWorldBox(const dg::DMat44& placement) const override;

private:
  dg::Location m_placement;
};

} // namespace tqg
