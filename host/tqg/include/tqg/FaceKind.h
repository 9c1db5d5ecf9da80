#pragma once

namespace tqg {

//! The form of a face's underlying surface. Every face is stored as triangles; the kind tells
//! which exact surface they approximate.
enum class FaceKind
{
  PLANAR,
  //! A cylinder, whose axis and radius the face keeps (tqg::Face::GetAxisOrigin and the rest).
  CYLINDRICAL,
  //! Any other curved surface.
  OTHER
};

} // namespace tqg
