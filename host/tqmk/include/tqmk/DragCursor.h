#pragma once

#include <du/Symbol.h>

namespace tqmk {

//! The cursor shown while the user drags one point of a markup.
extern const du::Symbol dragCursorMoveNode;

} // namespace tqmk
