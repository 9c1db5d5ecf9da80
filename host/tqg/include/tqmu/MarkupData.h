#pragma once

#include <dg/Color.h>
#include <dg/Pipeline.h>
#include <du/RefCounted.h>
#include <du/SmartPtr.h>
#include <tqmu/ModelBase.h>
#include <tqmu/Primitives.h>

namespace tqcontext {
class Context2D;
}

namespace tqmu {

//! The content of a markup: its drawing model, from which the host asks for primitives each
//! time it draws the markup.
class MarkupData : public du::RefCounted
{
public:
  void SetModelBase(const du::SmartPtr<ModelBase>& model) { m_model = model; }
  const du::SmartPtr<ModelBase>& GetModelBase() const { return m_model; }

  //! Appends the primitives of the drawing model (nothing without one). Called by the host's
  //! redraw with its drawing state: the pipeline, the surface, the page, the background colour,
  //! the pass (0 for the main pass) and whether the markup is selected. The base uses none of
  //! them; contents that override it call the base first.
  virtual void GetPrimitives(Primitives& primitives, dg::Pipeline pipeline, tqcontext::Context2D* context,
                             int page, dg::Color background, unsigned short pass, bool selected);

private:
  du::SmartPtr<ModelBase> m_model;
};

} // namespace tqmu
