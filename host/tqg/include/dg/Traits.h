#pragma once

namespace dg {

//! Numeric facts of a coordinate type, for code that works in either precision.
template <class T>
struct Traits;

template <>
struct Traits<float>
{
  //! Tolerance below which a float length counts as zero.
  static constexpr float s_EPSILON = 1e-6f;
};

} // namespace dg
