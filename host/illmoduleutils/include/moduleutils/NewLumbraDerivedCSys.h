#pragma once

#include <du/SmartPtr.h>
#include <moduleutils/LumbraDerivedCSys.h>

namespace tqk {
class SelectionItem;
class ShapeScene;
} // namespace tqk

namespace moduleutils {

//! The coordinate system derived from the item in the scene, as a new system the caller holds
//! the first reference to; null when the scene or the item is null, or when the item stands on
//! no part of the scene.
//!
//! PLACEMENT: the world placement of the item's part. AXIS: the item's axis in world space, with
//! identity orientations: a straight edge from its first end to its last; a cylindrical face
//! from the centre of one end circle to the other; anything else (a part, another face, an
//! edge that bends, a datum) along the longest side of its world box (the first of equal
//! sides), through the box's centre. A part without geometry, or geometry without a box, gives
//! a system that is not valid.
du::SmartPtr<LumbraDerivedCSys> NewLumbraDerivedCSys(const du::SmartPtr<tqk::ShapeScene>& scene,
                                                     const du::SmartPtr<tqk::SelectionItem>& item,
                                                     LumbraDerivedCSys::LocationType type);

} // namespace moduleutils
