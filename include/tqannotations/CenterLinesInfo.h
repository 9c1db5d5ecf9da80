#pragma once

#include <dg/DPoint3D.h>
#include <dg/Location.h>
#include <tqannotations/CenterStyle.h>
#include <tqannotations/Export.h>

#include <cstdint>
#include <deque>

namespace tqannotations {

//! The values of one center line: its ends, style, jog points, the positions of its two picked
//! items and its coordinate-system placement. Copied by value; what a center line hands out,
//! saves and loads, and keeps before and after an edit.
class TQANNOTATIONS_EXPORT CenterLinesInfo
{
public:
  //! A style from the current preferences, no jogs, points and positions at the origin.
  CenterLinesInfo() = default;

  //! How many drawn lines applying the snapshot builds.
  std::uint16_t representationCount = 0;
  dg::DPoint3D point1;
  dg::DPoint3D point2;
  CenterStyle style;
  std::deque<dg::DPoint3D> jogs;
  dg::DPoint3D location1; //!< position of the first picked item
  dg::DPoint3D location2; //!< position of the second picked item
  dg::Location csys;      //!< the coordinate-system placement
};

} // namespace tqannotations
