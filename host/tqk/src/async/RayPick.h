#pragma once

#include <dg/Camera3D.h>
#include <tqk/PickMode.h>
#include <tqk/PickResult.h>
#include <tqk/ShapeScene.h>

#include <vector>

namespace tqk {

//! The parts of the scene that the line of sight through the view pixel (x, y) meets in front of
//! the viewer (depth 0 and beyond): each visible part with geometry once, at its nearest point,
//! nearest first (the nearest only for
//! PICK_NEAREST). Empty when the camera cannot be inverted.
std::vector<PickResult> CastPickRay(const ShapeScene& scene, const dg::Camera3D& camera, int x, int y,
                                    PickMode mode);

} // namespace tqk
