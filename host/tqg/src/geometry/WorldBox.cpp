#include <tqg/Shape.h>
#include <tqg/WorldBox.h>

namespace tqg {

namespace {

void Extend(dg::DBox& box, const Face& face, const dg::DMat44& placement)
{
  for (const Face::Triangle& triangle : face.GetTriangles())
    for (const dg::DPoint3D& vertex : triangle)
      box.Extend(vertex * placement);
}

void Extend(dg::DBox& box, const Edge& edge, const dg::DMat44& placement)
{
  for (const dg::DPoint3D& point : edge.GetPoints())
    box.Extend(point * placement);
}

} // namespace

dg::DBox GetWorldBox(const Shape& shape, const dg::DMat44& placement)
{
  dg::DBox box;
  for (const du::SmartPtr<Face>& face : shape.GetFaces())
    Extend(box, *face, placement);
  for (const du::SmartPtr<Edge>& edge : shape.GetEdges())
    Extend(box, *edge, placement);
  return box;
}

dg::DBox GetWorldBox(const Face& face, const dg::DMat44& placement)
{
  dg::DBox box;
  Extend(box, face, placement);
  return box;
}

dg::DBox GetWorldBox(const Edge& edge, const dg::DMat44& placement)
{
  dg::DBox box;
  Extend(box, edge, placement);
  return box;
}

} // namespace tqg
