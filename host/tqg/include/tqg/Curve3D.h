#pragma once

#include <du/RefCounted.h>

namespace tqg {

//! Base of the curves that edges run along; a curve's kind is told by its class
//! (tqg::Geom_ParticularCurve3D of the value that describes it).
class Curve3D : public du::RefCounted
{
};

} // namespace tqg
