#pragma once

#include <du/RefCounted.h>

namespace tqmu {

//! One drawing primitive produced for a markup; see tqmu::Primitives.
class Primitive : public du::RefCounted
{
};

} // namespace tqmu
