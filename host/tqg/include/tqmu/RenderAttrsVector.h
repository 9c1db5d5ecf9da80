#pragma once

#include <tqmu/RenderAttrs.h>

namespace tqmu {

//! The drawing attributes of one drawing model.
//!
//! dim: 1 draws the model dimmed (blended towards the background), 0 draws it as it is; other
//! values count as 1. preset: the preset attribute vector the model starts from.
struct RenderAttrsVector
{
  int dim = 0;
  RenderAttrs::RenderAttrsVectorIndex preset = RenderAttrs::DEFAULT_ATTRS;
};

} // namespace tqmu
