#include <tqg/Face.h>
#include <tqg/Shape.h>
#include <tqg/ShapeVisitor.h>

namespace tqg {

ShapeVisitor::State ShapeVisitor::Visit(const Face*) { return CONTINUE; }

void Face::AddTriangle(const dg::DPoint3D& a, const dg::DPoint3D& b, const dg::DPoint3D& c)
{
  m_triangles.push_back(Triangle{a, b, c});
}

bool Shape::AddFace(const du::SmartPtr<Face>& face)
{
  if (!face)
    return false;
  m_faces.push_back(face);
  return true;
}

bool Shape::AddEdge(const du::SmartPtr<Edge>& edge)
{
  if (!edge)
    return false;
  m_edges.push_back(edge);
  return true;
}

bool Shape::AddDatum(const du::SmartPtr<Datum>& datum)
{
  if (!datum)
    return false;
  m_datums.push_back(datum);
  return true;
}

namespace {

dg::FPoint3D Narrow(const dg::DPoint3D& p)
{
  return dg::FPoint3D(static_cast<float>(p.x), static_cast<float>(p.y), static_cast<float>(p.z));
}

} // namespace

dg::FBox Shape::ComputeDefaultBBox() const
{
  dg::FBox box = dg::FBox::EMPTY;
  for (const du::SmartPtr<Face>& face : m_faces)
    for (const Face::Triangle& triangle : face->GetTriangles())
      for (const dg::DPoint3D& vertex : triangle)
        box.Extend(Narrow(vertex));
  for (const du::SmartPtr<Edge>& edge : m_edges)
    for (const dg::DPoint3D& point : edge->GetPoints())
      box.Extend(Narrow(point));
  return box;
}

ShapeVisitor::State Shape::Accept(ShapeVisitor& visitor) const
{
  ShapeVisitor::State state = ShapeVisitor::CONTINUE;
  for (const du::SmartPtr<Face>& face : m_faces) {
    state = visitor.Visit(face.Get());
    if (state == ShapeVisitor::STOP)
      break;
  }
  return state;
}

du::SmartPtr<Shape> Shape::CreateBox(const dg::DPoint3D& min, const dg::DPoint3D& max)
{
  // Corner i takes max along x for bit 0, along y for bit 1, along z for bit 2.
  dg::DPoint3D c[8];
  for (int i = 0; i < 8; ++i)
    c[i] = dg::DPoint3D(i & 1 ? max.x : min.x, i & 2 ? max.y : min.y, i & 4 ? max.z : min.z);
  struct Side
  {
    const char* name;
    int a, b, d, e; // a quad, counter-clockwise seen from outside
  };
  static const Side sides[6] = {{"bottom", 0, 2, 3, 1}, {"top", 4, 5, 7, 6},  {"front", 0, 1, 5, 4},
                                {"back", 2, 6, 7, 3},   {"left", 0, 4, 6, 2}, {"right", 1, 3, 7, 5}};
  du::SmartPtr<Shape> shape(new Shape);
  for (const Side& side : sides) {
    du::SmartPtr<Face> face(new Face(du::Symbol(side.name), FaceKind::PLANAR));
    face->AddTriangle(c[side.a], c[side.b], c[side.d]);
    face->AddTriangle(c[side.a], c[side.d], c[side.e]);
    shape->AddFace(face);
  }
  static const int edges[12][2] = {{0, 1}, {2, 3}, {4, 5}, {6, 7}, {0, 2}, {1, 3},
                                   {4, 6}, {5, 7}, {0, 4}, {1, 5}, {2, 6}, {3, 7}};
  int index = 0;
  for (const auto& edge : edges)
    shape->AddEdge(
        du::SmartPtr<Edge>(new Edge(du::Symbol("edge" + std::to_string(index++)), {c[edge[0]], c[edge[1]]})));
  return shape;
}

} // namespace tqg
