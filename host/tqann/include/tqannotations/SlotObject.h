#pragma once

#include <dg/DBox.h>
#include <dg/DMat44.h>
#include <dg/DPoint3D.h>
#include <du/RefCounted.h>
#include <du/SmartPtr.h>
#include <tqmu/ConstructionConstraint.h>

#include <vector>

namespace tqg {
class Edge;
class Face;
class Shape;
} // namespace tqg

namespace tqk {
class SelectionItem;
class ShapeInstance;
class ShapeScene;
} // namespace tqk

namespace tqannotations {

//! One slot of an associative annotation: the item picked into it, whether the item is usable,
//! the construction constraints that tie the annotation to it, and the geometry behind it.
//!
//! The part the item stands on is looked up in a shape scene when the slot is bound to one
//! (Bind); its geometry and placement are read from that part when asked, so they follow the part
//! when it moves. A slot object is a value: an annotation replaces its slot objects rather than
//! changing them, so that copies handed out (undo records, clones) never change behind their
//! holder's back.
class SlotObject : public du::RefCounted
{
public:
  //! An empty slot: no item, not valid.
  SlotObject();
  //! A slot holding the item; valid when the item is not null.
  explicit SlotObject(const du::SmartPtr<tqk::SelectionItem>& item);
  SlotObject(const SlotObject& other);
  SlotObject& operator=(const SlotObject&) = delete;
  ~SlotObject() override;

  const du::SmartPtr<tqk::SelectionItem>& GetSelectionItem() const { return m_item; }
  bool IsObjectValid() const { return m_valid; }

  //! Looks up the part the item stands on in the scene; null forgets it.
  void Bind(const du::SmartPtr<tqk::ShapeScene>& scene);
  //! The part the item stands on in the scene the slot is bound to; null when there is none.
  const du::SmartPtr<tqk::ShapeInstance>& GetShapeInstance() const { return m_shapeInstance; }

  //! Adds the constraint to those the slot allows (once).
  void AddConstraint(tqmu::ConstructionConstraint::Type type);
  //! Makes the constraint the one in force; false, changing nothing, when it was not added.
  bool SetConstraint(tqmu::ConstructionConstraint::Type type);
  tqmu::ConstructionConstraint::Type GetConstraint() const { return m_constraint; }
  const std::vector<tqmu::ConstructionConstraint::Type>& GetConstraints() const { return m_constraints; }

  //! The whole geometry of the part; null without a part or when its geometry is missing.
  du::SmartPtr<tqg::Shape> GetShapeData() const;
  //! The picked face; null when the item is no face. The stand-in's faces are small enough to
  //! be taken whole, so the bounds of the views do not cut them.
  du::SmartPtr<tqg::Face> GetFaceData(const dg::DBox& bounds) const;
  //! The picked edge; null when the item is no edge. The bounds do not cut it either.
  du::SmartPtr<tqg::Edge> GetEdgeData(const dg::DBox& bounds) const;
  //! The picked point in world space; false, point untouched, when the pick gave none.
  bool GetPoint(dg::DPoint3D& point) const;
  //! The placement of the part as a matrix; the identity without a part.
  const dg::DMat44& GetMatrix() const;

private:
  du::SmartPtr<tqk::SelectionItem> m_item;
  bool m_valid;
  du::SmartPtr<tqk::ShapeInstance> m_shapeInstance;
  std::vector<tqmu::ConstructionConstraint::Type> m_constraints;
  tqmu::ConstructionConstraint::Type m_constraint = tqmu::ConstructionConstraint::NONE;
  mutable dg::DMat44 m_matrix; // the part's current placement, refreshed by GetMatrix
};

} // namespace tqannotations
