#pragma once

namespace tqmu {

//! Codes of the drawing attributes that drawing models carry.
struct RenderAttrs
{
  //! Dash patterns of lines.
  enum LineStipple
  {
    SOLID = 0,
    DOT_DASH = 1,
    DOT_DOT_DASH = 2,
    DOT_DOT_DOT = 3,
    DASH_DOT_DASH = 4,
    DASH_DASH_DASH = 5,
    LONG_DASH_DOT = 6,
    FOUR_DOT_BREAK = 7
  };

  //! Index of one of the host's preset attribute vectors (colours, widths and depth handling
  //! for a kind of drawing); a drawing model picks one with ModelBase::SetRenderAttrsByIndex.
  enum RenderAttrsVectorIndex
  {
    DEFAULT_ATTRS = 0,
    LAST_PRESET_ATTRS = 15
  };
};

} // namespace tqmu
