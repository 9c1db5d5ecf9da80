#pragma once

namespace dg {

template <class T>
struct Traits;

template <>
struct Traits<float>
{
  //! Tolerance below which a float length counts as zero.
  static constexpr float s_EPSILON = 1e-6f;
};

template <>
struct Traits<double>
{
  static constexpr double s_EPSILON = 1e-12;
};

} // namespace dg
