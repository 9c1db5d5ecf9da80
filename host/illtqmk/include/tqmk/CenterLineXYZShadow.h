#pragma once

#include <dg/DPoint3D.h>
#include <du/SmartPtr.h>
#include <tqk/SelectionItem.h>
#include <tqmk/CenterLineXYZ.h>
#include <tqmk/MarkupShadow.h>

#include <vector>

namespace tqmk {

//! The shadow of a dragged tqmk::CenterLineXYZ: a copy of the line's polyline of which one point
//! follows the drag, and the items found under the two ends where they were dropped. The line
//! itself does not move.
//!
//! Dragging an end (point 1 or count - 2) carries its extension point along; dragging an
//! extension point stretches or shortens that extension.
class CenterLineXYZShadow : public MarkupShadow
{
public:
  static const du::Symbol CLASS_TYPE;

  CenterLineXYZShadow(const du::SmartPtr<tqk::View>& view, const du::SmartPtr<CenterLineXYZ>& line);

  du::Symbol GetClassType() const override { return CLASS_TYPE; }
  void GetClassTypes(std::vector<du::Symbol>& types) const override;

  //! The dragged polyline, point 0 first.
  const std::vector<dg::DPoint3D>& GetPoints() const { return m_points; }
  //! Chooses the point that follows the drag; false, nothing chosen, out of range.
  bool SetDraggedPoint(int index);
  int GetDraggedPoint() const { return m_dragged; }

  //! The item found under the first end where it was dropped; null when none was found.
  const du::SmartPtr<tqk::SelectionItem>& GetStartPointItem() const { return m_startItem; }
  void SetStartPointItem(const du::SmartPtr<tqk::SelectionItem>& item) { m_startItem = item; }
  //! The item found under the second end where it was dropped; null when none was found.
  const du::SmartPtr<tqk::SelectionItem>& GetEndPointItem() const { return m_endItem; }
  void SetEndPointItem(const du::SmartPtr<tqk::SelectionItem>& item) { m_endItem = item; }

  du::SmartPtr<tqk::Markup> GetMarkup() override { return m_line; }
  //! Starts from the line's points as they are now.
  bool HandleDragStart() override;
  //! The dragged point follows the drag offset, carried into the scene's space.
  void HandleDragStep() override;
  void Translate(const dg::DVec3& offset) override;

private:
  du::SmartPtr<CenterLineXYZ> m_line;
  std::vector<dg::DPoint3D> m_startPoints;
  std::vector<dg::DPoint3D> m_points;
  int m_dragged = -1;
  du::SmartPtr<tqk::SelectionItem> m_startItem;
  du::SmartPtr<tqk::SelectionItem> m_endItem;
};

} // namespace tqmk
