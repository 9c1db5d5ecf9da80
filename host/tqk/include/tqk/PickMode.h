#pragma once

namespace tqk {

//! How many hits a pick answers with: the nearest only, or every part under the mouse, nearest
//! first.
enum PickMode
{
  PICK_NEAREST = 0,
  PICK_ALL = 1
};

} // namespace tqk
