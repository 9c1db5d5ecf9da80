#pragma once

#include <dg/Location.h>
#include <du/RefCounted.h>

namespace moduleutils {

//! A coordinate system derived from a picked item: two placements, of which the first is handed
//! out by GetPlacement and the second held (GetLocation). What they stand for depends on the
//! location type it was derived with:
//! - AXIS: the item's axis, from the first placement's position to the second's;
//! - PLACEMENT: the placement of the item's part in the world (both placements).
//!
//! A system whose item has no geometry or placement to derive from is not valid, and its
//! placements are the identity.
class LumbraDerivedCSys : public du::RefCounted
{
public:
  enum LocationType
  {
    AXIS = 0,
    PLACEMENT = 1,
  };

  //! An invalid system.
  LumbraDerivedCSys() = default;
  LumbraDerivedCSys(const dg::Location& placement, const dg::Location& location)
      : m_valid(true), m_placement(placement), m_location(location)
  {}

  bool IsValid() const { return m_valid; }
  //! The first placement: the start of the axis, or the part's placement.
  virtual dg::Location GetPlacement() const { return m_placement; }
  //! The second placement: the end of the axis, or the part's placement again.
  const dg::Location& GetLocation() const { return m_location; }

private:
  bool m_valid = false;
  dg::Location m_placement;
  dg::Location m_location;
};

} // namespace moduleutils
