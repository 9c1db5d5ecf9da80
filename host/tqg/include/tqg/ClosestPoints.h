#pragma once

#include <dg/DMat44.h>
#include <dg/DPoint3D.h>
#include <dg/Segment.h>

namespace tqg {

class Face;

//! The shortest segment from the point to the face placed by the transform: its start is the
//! point and its end the nearest point of the placed face, both in the space the transform
//! leads to. Without a face, or for a face without triangles, both ends are NaN.
dg::Segment<double, 3> GetClosestPoints(const Face* face, const dg::DMat44& transform,
                                        const dg::DPoint3D& point);

} // namespace tqg
