#pragma once

namespace tqg {

//! The form of a face's underlying surface. Every face is stored as triangles; the kind tells
//! which exact surface they approximate.
enum class FaceKind
{
  PLANAR
};

} // namespace tqg
