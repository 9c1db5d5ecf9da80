#pragma once

#include <dg/DPoint3D.h>
#include <dg/Location.h>
#include <tqmk/LeaderLine.h>

#include <cstdint>
#include <vector>

namespace tqmk {

//! The drawn line of a center line: a leader line through a polyline that runs from one end to
//! the other, straight or routed along the axes of a coordinate system, with an extension beyond
//! each end.
//!
//! The polyline always begins and ends with the extension points, so point 1 is the first end
//! and point count - 2 the second: [E0, first, ..., second, E1]. Straight, it has those four
//! points. Routed, it has seven: from the first end it runs the drag factor's share of the leg
//! along the first axis of the order, then the whole legs along the second and third axes, then
//! the rest of the first leg into the second end. A drag of its points (MovePoint) changes what
//! the line reports: its extensions are the distances of the extension points from the ends, its
//! drag factor the share of the first leg before the first corner.
class CenterLineXYZ : public LeaderLine
{
public:
  static const du::Symbol CLASS_TYPE;

  CenterLineXYZ() = default;

  du::Symbol GetClassType() const override { return CLASS_TYPE; }
  void GetClassTypes(std::vector<du::Symbol>& types) const override;

  //! The polyline between the two ends into points (replacing what it held). Routed along the
  //! placement's axes, taken in xyzOrder (0 = X, 1 = Y, 2 = Z), when alongXYZ is set; a drag
  //! factor outside [0, 1] is taken as the nearer bound.
  static void BuildPoints(const dg::DPoint3D& first, const dg::DPoint3D& second, bool alongXYZ,
                          float startExtension, float endExtension, float dragFactor,
                          const dg::Location& placement, const std::uint16_t xyzOrder[3],
                          std::vector<dg::DPoint3D>& points);

  //! Replaces every point.
  void SetPoints(const std::vector<dg::DPoint3D>& points);

  //! How far the first extension point stands off the first end; 0 without extension points.
  double GetStartExtension() const;
  //! How far the last extension point stands off the second end; 0 without extension points.
  double GetEndExtension() const;

  //! The share of the first axis leg before the first corner, read from a routed polyline; the
  //! factor last set when the polyline is not routed or that leg has no length.
  float GetDragFactor() const;
  void SetDragFactor(float factor) { m_dragFactor = factor; }

  //! Whether the second end is tied to a picked item (drawn as attached).
  void SetEndPointAttached(bool attached) { m_endPointAttached = attached; }
  bool IsEndPointAttached() const { return m_endPointAttached; }

  //! The kind of annotation the line belongs to, and the drawing plane it is drawn in; kept as
  //! given for the host's drawing.
  void SetAnnotationType(int type) { m_annotationType = type; }
  int GetAnnotationType() const { return m_annotationType; }
  void SetPlane(int plane) { m_plane = plane; }
  int GetPlane() const { return m_plane; }

  //! A tqmk::CenterLineXYZShadow on the line's points.
  tqk::Markup* ConstructShadow(const du::SmartPtr<tqk::View>& view) override;

private:
  float m_dragFactor = 0.5f;
  bool m_endPointAttached = false;
  int m_annotationType = 0;
  int m_plane = 0;
};

} // namespace tqmk
