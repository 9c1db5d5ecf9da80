#pragma once

#include <du/RefCounted.h>

namespace tqgeom {

//! The report of a geometry computation that finished, handed to whoever asked for it. The
//! stand-in's geometry answers at once and carries nothing further in it.
class GeometryEvent : public du::RefCounted
{
};

} // namespace tqgeom
