#pragma once

#include <dg/DMat44.h>
#include <dg/DPoint3D.h>
#include <dg/Segment.h>
#include <du/SmartPtr.h>

namespace tqg {

class Edge;
class Face;
class Shape;

// The shortest segment between two items, each placed by its transform; every point is in the
// space the transforms lead to. A shape is all its faces and edges, a face its triangles, an
// edge its polyline. Between two items the segment starts on the first and ends on the second;
// from a point it starts at the point and ends on the item. Without an item, or for an item
// without triangles or points, both ends are NaN. Of equally near pairs the first found is
// taken, faces before edges, in the items' order.

dg::Segment<double, 3> GetClosestPoints(const du::SmartPtr<Shape>& first, const dg::DMat44& firstTransform,
                                        const du::SmartPtr<Shape>& second, const dg::DMat44& secondTransform);
dg::Segment<double, 3> GetClosestPoints(const du::SmartPtr<Shape>& shape, const dg::DMat44& shapeTransform,
                                        const du::SmartPtr<Face>& face, const dg::DMat44& faceTransform);
dg::Segment<double, 3> GetClosestPoints(const du::SmartPtr<Shape>& shape, const dg::DMat44& shapeTransform,
                                        const du::SmartPtr<Edge>& edge, const dg::DMat44& edgeTransform);
dg::Segment<double, 3> GetClosestPoints(const du::SmartPtr<Face>& face, const dg::DMat44& faceTransform,
                                        const du::SmartPtr<Edge>& edge, const dg::DMat44& edgeTransform);
dg::Segment<double, 3> GetClosestPoints(const du::SmartPtr<Shape>& shape, const dg::DMat44& transform,
                                        const dg::DPoint3D& point);
dg::Segment<double, 3> GetClosestPoints(const du::SmartPtr<Face>& face, const dg::DMat44& transform,
                                        const dg::DPoint3D& point);
//! The same for a face that the caller holds by a plain pointer (a shape's visitor, say).
dg::Segment<double, 3> GetClosestPoints(const Face* face, const dg::DMat44& transform,
                                        const dg::DPoint3D& point);

} // namespace tqg
