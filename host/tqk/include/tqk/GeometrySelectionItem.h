#pragma once

#include <dg/DPoint3D.h>
#include <du/SmartPtr.h>
#include <tqg/Geometry.h>
#include <tqk/SelectionItem.h>

namespace tqk {

//! A selection item that stands for a piece of geometry (a face, an edge, a datum or a point) of
//! an object, usually a part instance.
//!
//! A picked point, when the pick gave one, is kept in world space: it belongs to the pick, not to
//! the geometry.
class GeometrySelectionItem : public SelectionItem
{
public:
  static const du::Symbol CLASS_TYPE;

  GeometrySelectionItem(const du::SmartPtr<tqg::Geometry>& geometry, const du::SmartPtr<Object>& parent)
      : m_geometry(geometry), m_parent(parent)
  {}

  du::Symbol GetClassType() const override { return CLASS_TYPE; }
  void GetClassTypes(std::vector<du::Symbol>& types) const override;

  //! The geometry in its object's own coordinates; null for a bare point.
  const du::SmartPtr<tqg::Geometry>& GetGeometry() const { return m_geometry; }
  //! The object the geometry belongs to; may be null.
  const du::SmartPtr<Object>& GetParentObject() const { return m_parent; }

  //! The parent object when it is an engineering instance.
  du::SmartPtr<Instance> GetPickedInstance() const override;

  void SetPickPoint(const dg::DPoint3D& worldPoint);
  //! The picked point in world space; false, leaving point as it was, when there is none.
  bool GetPickPoint(dg::DPoint3D& point) const;

private:
  du::SmartPtr<tqg::Geometry> m_geometry;
  du::SmartPtr<Object> m_parent;
  bool m_hasPickPoint = false;
  dg::DPoint3D m_pickPoint;
};

} // namespace tqk
