#pragma once

#include <du/RefCounted.h>
#include <tqannotations/Export.h>

#include <cstdint>

namespace tqannotations {

//! How a callout draws its leader lines.
class TQANNOTATIONS_EXPORT LineStyle : public du::RefCounted
{
public:
  //! A solid black line one pixel wide with an arrow at its start, no halo, white halo colour.
  LineStyle() = default;
  ~LineStyle() override;

  float weight = 1.0f;
  //! 0 millimetre, 1 centimetre, 2 inch, 3 pixel.
  int weightUnit = 3;
  //! Packed as 0xRRGGBB.
  std::uint32_t color = 0;
  bool halo = false;
  //! Packed as 0xRRGGBB.
  std::uint32_t haloColor = 0xFFFFFF;
  //! 0 solid, 1 dot-dash, 2 dot-dot-dash, 3 dot-dot-dot, 4 dash-dot-dash, 5 dash-dash-dash,
  //! 6 long-dash-dot, 7 four dots and a break. A style that names no pattern is drawn solid, as
  //! is one whose pattern is not recognised.
  int dashes = 0;
  //! By the line's start and end: 0 none/none, 1 arrow/arrow, 2 none/arrow, 3 arrow/none,
  //! 4 none/round, 5 round/none, 6 round/arrow, 7 round/round, 8 arrow/round.
  int arrowStyle = 3;
};

} // namespace tqannotations
