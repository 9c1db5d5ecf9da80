#pragma once

#include <tqg/Geometry.h>

namespace tqg {

//! Base of the construction geometry a part carries besides its faces and edges: axes, planes
//! and coordinate systems.
class Datum : public Geometry
{
};

} // namespace tqg
