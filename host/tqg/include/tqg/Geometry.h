#pragma once

#include <dg/DBox.h>
#include <dg/DMat44.h>
#include <du/RefCounted.h>

namespace tqg {

//! Base of the geometry a part is made of or carries (faces, edges, datums), in the part's own
//! coordinates; a placement matrix puts it into the world.
//!
//! Picked geometry reaches annotations through this base, which tells its kind by its class.
class Geometry : public du::RefCounted
{
public:
  //! The axis-aligned box around the geometry carried by the placement; empty when it has none.
  virtual dg::DBox GetWorldBox(const dg::DMat44& placement) const = 0;
};

} // namespace tqg
