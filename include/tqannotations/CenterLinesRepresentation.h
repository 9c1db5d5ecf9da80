#pragma once

#include <dg/DPoint3D.h>
#include <dg/Location.h>
#include <du/SmartPtr.h>
#include <du/Symbol.h>
#include <tqannotations/CenterStyle.h>
#include <tqannotations/Export.h>
#include <tqk/Scene.h>
#include <tqk/View.h>
#include <tqmk/Markup.h>

#include <deque>
#include <vector>

namespace tqmk {
class CenterLineXYZ;
class CenterLineXYZShadow;
} // namespace tqmk

namespace tqannotations {

//! One drawn line of a center line between its two ends: a markup that keeps the ends, a copy of
//! the center line's style, the placement a routed line follows and the name of the part it
//! belongs to, and draws through one child, a tqmk::CenterLineXYZ, made by CreateMarkup.
//!
//! The drawn ends are point1 + the style's endpointOffset and point2 + its anchorOffset; a drag
//! of the child changes those offsets, the extensions and the drag factor, which the center line
//! takes back. Only MoveMarkup locks (the representation's own lock); everything else runs under
//! the center line's lock.
class TQANNOTATIONS_EXPORT CenterLinesRepresentation : public tqmk::Markup
{
public:
  CenterLinesRepresentation(const dg::DPoint3D& point1, const dg::DPoint3D& point2,
                            const du::SmartPtr<tqk::Scene>& scene, CenterStyle style, dg::Location placement,
                            du::Symbol partName);
  //! The same ends, jogs, style, placement, part name and scene, as a new markup without a child.
  CenterLinesRepresentation(const CenterLinesRepresentation& other);
  CenterLinesRepresentation& operator=(const CenterLinesRepresentation&) = delete;
  ~CenterLinesRepresentation() override;

  //! Makes the child once, drawn in the style; returns this representation. The argument is not
  //! used.
  du::SmartPtr<tqk::Markup> CreateMarkup(bool);
  //! Draws the child's polyline anew from the ends, style and placement; nothing without a child.
  void RefreshPoints();
  //! Takes over the dragged polyline of the shadow and the end offsets it implies. Without a
  //! shadow or a child it changes nothing, and with fewer than four points it keeps the offsets.
  //! Always true.
  bool MoveMarkup(const tqmk::CenterLineXYZShadow* shadow);
  //! Replaces the ends, style, placement and name; hides the child's drag shadow, if any, while a
  //! scene is held; draws anew. An end, style colour or offset, or placement that is not finite
  //! changes nothing.
  void UpdateInformation(const dg::DPoint3D& point1, const dg::DPoint3D& point2, CenterStyle style,
                         dg::Location placement, du::Symbol partName);

  //! The two drawn ends: point1 + endpointOffset and point2 + anchorOffset.
  void GetPoints(dg::DPoint3D& first, dg::DPoint3D& second) const;

  // The values a drag changed; each leaves its output as it was without a child, and is true.
  //! The child's drag factor, when the line is routed.
  bool GetDragFactor(float& factor);
  bool GetOriginOffset(dg::DPoint3D& offset);
  bool GetEndPointOffset(dg::DPoint3D& offset);
  //! The child's extension beyond the first end, also kept in the style copy.
  bool GetStartExtention(float& extension);
  //! The child's extension beyond the second end, also kept in the style copy.
  bool GetEndExtention(float& extension);

  // Passed on to the child; nothing without one.
  void SetEndPointAttached(bool attached);
  void ShowMarkup(bool visible);
  void SetSelected(bool selected, const du::SmartPtr<tqk::View>& view);

  //! Whether the markup is this representation's child.
  bool OwnsMarkup(du::SmartPtr<tqk::Markup> markup);
  //! Whether the representation has its child.
  bool HasValidMarkups();
  //! Point index of the child's polyline; the zero point without a child or past the last point.
  dg::DPoint3D GetLeaderPoints(unsigned int index);

  void SetScene(const du::SmartPtr<tqk::Scene>& scene);
  //! The jog points, kept and handed back; the drawing does not use them. They come from the
  //! center line or from the host, which draws the line.
  void GetJogs(std::deque<dg::DPoint3D>& jogs);
  //! A list with a point that is not finite changes nothing.
  void SetJogs(std::deque<dg::DPoint3D> jogs);
  du::Symbol& GetPartID();

private:
  //! The line width in whole pixels at 96 pixels per inch, at least 1.
  int GetLIneWeightInPixels();
  //! The child's polyline through the drawn ends, from the style copy and the placement; the
  //! jogs take no part.
  std::vector<dg::DPoint3D> DrawnPolyline() const;

  du::SmartPtr<tqk::Scene> m_scene;
  dg::DPoint3D m_point1;
  dg::DPoint3D m_point2;
  tqmk::CenterLineXYZ* m_child = nullptr; // the child list holds it
  std::deque<dg::DPoint3D> m_jogs;
  CenterStyle m_style;
  dg::Location m_placement;
  du::Symbol m_partName;
};

} // namespace tqannotations
