#pragma once

#include <tqg/Curve3D.h>

#include <utility>

namespace tqg {

//! A curve described by one value of a particular kind: a dg::Segment<double, 3> for a straight
//! edge, a list of points for a polyline. Code that needs a kind tests for its class.
template <class Description>
class Geom_ParticularCurve3D : public Curve3D
{
public:
  explicit Geom_ParticularCurve3D(Description description) : m_description(std::move(description)) {}

  const Description& GetDescription() const { return m_description; }

private:
  Description m_description;
};

} // namespace tqg
