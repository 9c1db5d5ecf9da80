#pragma once

#include <dg/DPoint3D.h>
#include <dg/FBox.h>
#include <du/RefCounted.h>
#include <du/SmartPtr.h>
#include <tqg/Datum.h>
#include <tqg/Edge.h>
#include <tqg/Face.h>
#include <tqg/ShapeVisitor.h>

#include <vector>

namespace tqg {

//! The geometry of a part in its own coordinate space: named faces (triangles) and named edges
//! (polylines), and the datums (axes, planes, coordinate systems) the part carries, which are
//! construction geometry and no part of its body: boxes and closest points leave them out.
class Shape : public du::RefCounted
{
public:
  //! An axis-aligned box from min to max with six planar faces named "bottom" (z = min), "top",
  //! "front" (y = min), "back", "left" (x = min) and "right", and its twelve edges.
  static du::SmartPtr<Shape> CreateBox(const dg::DPoint3D& min, const dg::DPoint3D& max);

  //! Appends the face; null is refused.
  bool AddFace(const du::SmartPtr<Face>& face);
  //! Appends the edge; null is refused.
  bool AddEdge(const du::SmartPtr<Edge>& edge);
  const std::vector<du::SmartPtr<Face>>& GetFaces() const { return m_faces; }
  const std::vector<du::SmartPtr<Edge>>& GetEdges() const { return m_edges; }
  //! Appends the datum; null is refused.
  bool AddDatum(const du::SmartPtr<Datum>& datum);
  const std::vector<du::SmartPtr<Datum>>& GetDatums() const { return m_datums; }

  //! The box around every face vertex and edge point; dg::FBox::EMPTY for a shape without any.
  dg::FBox ComputeDefaultBBox() const;

  //! Runs the visitor over the faces in their order until it answers STOP. Returns the last
  //! state it answered (CONTINUE when the shape has no face).
  ShapeVisitor::State Accept(ShapeVisitor& visitor) const;

private:
  std::vector<du::SmartPtr<Face>> m_faces;
  std::vector<du::SmartPtr<Edge>> m_edges;
  std::vector<du::SmartPtr<Datum>> m_datums;
};

} // namespace tqg
