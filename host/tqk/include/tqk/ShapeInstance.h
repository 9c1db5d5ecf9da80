#pragma once

#include <dg/Location.h>
#include <du/SmartPtr.h>
#include <tqk/Instance.h>
#include <tqk/MemoryPoolAllocated.h>
#include <tqk/Object.h>
#include <tqk/Shape.h>

namespace tqk {

//! A part as a shape scene shows it: its engineering instance, its shape and its placement
//! (the part's own space carried into the scene's), visible or not, selected or not.
//!
//! Only its shape scene moves, hides and shows it (tqk::ShapeScene), so that the scene's
//! listeners hear of every change. Compared by identity.
class ShapeInstance : public Object, public MemoryPoolAllocated
{
public:
  static const du::Symbol CLASS_TYPE;

  ShapeInstance(const du::SmartPtr<Instance>& instance, const du::SmartPtr<Shape>& shape,
                const dg::Location& location);
  ShapeInstance(const ShapeInstance&) = delete;
  ShapeInstance& operator=(const ShapeInstance&) = delete;

  du::SmartPtr<Instance> GetInstance() const { return m_instance; }
  //! The engineering instance into out; false, out untouched, when there is none.
  bool GetInstance(du::SmartPtr<Instance>& out) const;
  du::SmartPtr<Shape> GetShape() const { return m_shape; }
  const dg::Location& GetLocation() const { return m_location; }
  bool IsVisible() const { return m_visible; }

  void SetSelected(bool selected) { m_selected = selected; }
  bool IsSelected() const { return m_selected; }

  du::Symbol GetClassType() const override { return CLASS_TYPE; }
  void GetClassTypes(std::vector<du::Symbol>& types) const override;

private:
  friend class ShapeScene; // moves, hides and shows it, telling its listeners
  du::SmartPtr<Instance> m_instance;
  du::SmartPtr<Shape> m_shape;
  dg::Location m_location;
  bool m_visible = true;
  bool m_selected = false;
};

} // namespace tqk
