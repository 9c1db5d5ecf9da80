#pragma once

#include <dg/DMat44.h>

namespace dg {

//! The drawing state handed down to drawing models while a view is drawn: the transformation
//! from world space into the view's 2-D space. A small value, passed by value.
struct Pipeline
{
  DMat44 worldToView;
};

} // namespace dg
