#pragma once

#include <dg/Location.h>
#include <du/RefCounted.h>
#include <tqmu/RenderAttrsVector.h>

namespace tqmu {

class Primitives;

//! A node of a markup's drawing model: what the host draws for it, placed by a location.
//!
//! Drawing models are plain counted objects of the general allocator; a markup holds its model
//! and a model container holds its children.
class ModelBase : public du::RefCounted
{
public:
  //! The node's placement: its own space carried into the markup's space.
  dg::Location& GetLocation() { return m_location; }
  const dg::Location& GetLocation() const { return m_location; }

  RenderAttrsVector& GetRenderAttrsVector() { return m_renderAttrs; }
  const RenderAttrsVector& GetRenderAttrsVector() const { return m_renderAttrs; }
  //! Starts the node's attributes from the preset with that index.
  void SetRenderAttrsByIndex(RenderAttrs::RenderAttrsVectorIndex index) { m_renderAttrs.preset = index; }

  //! Appends what the node draws; the base draws nothing. The host draws no geometry in this
  //! stand-in: only text has a size (see tqmu::PrimitiveText2D).
  virtual void AppendPrimitives(Primitives& primitives) const;

private:
  dg::Location m_location;
  RenderAttrsVector m_renderAttrs;
};

} // namespace tqmu
