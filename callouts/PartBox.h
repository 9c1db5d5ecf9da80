#pragma once

#include <dg/FBox.h>

namespace tqk {
class Instance;
class ShapeInstance;
} // namespace tqk

namespace tqannotations {

//! The box of a part in its own space: the one its shape source declares, else the one of its
//! geometry (dg::FBox::EMPTY for geometry without a face or an edge). False, box untouched, when
//! the part has neither. instance may be null.
bool PartBox(const tqk::Instance* instance, const tqk::ShapeInstance& part, dg::FBox& box);

} // namespace tqannotations
