#pragma once

#include <dg/DBox.h>
#include <dg/DMat44.h>

namespace tqg {

class Edge;
class Face;
class Shape;

//! The axis-aligned world box around a part's geometry carried by its placement: every face
//! vertex and edge point is carried, so the box is exact for turned parts too. Empty when the
//! geometry has no point.
dg::DBox GetWorldBox(const Shape& shape, const dg::DMat44& placement);
dg::DBox GetWorldBox(const Face& face, const dg::DMat44& placement);
dg::DBox GetWorldBox(const Edge& edge, const dg::DMat44& placement);

} // namespace tqg
