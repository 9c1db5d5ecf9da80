#pragma once

#include <dg/DMat44.h>
#include <dg/DPoint3D.h>
#include <dg/FMat33.h>
#include <dg/Quat.h>

namespace dg {

//! A placement: an orientation with scale (a 3x3 matrix) followed by a move to an origin.
//! Carries a point p to p * orientation + origin.
class Location
{
public:
  static const Location IDENTITY;

  Location();
  Location(const FMat33& orientation, const DPoint3D& position);
  Location(const DPoint3D& origin, const Quat& rotation, double scale);

  void Set(const DPoint3D& origin, const Quat& rotation, double scale);
  //! The origin, the rotation part (GetQuat) and the scale (GetScale).
  void Get(DPoint3D& origin, Quat& rotation, double& scale) const;
  const DPoint3D& GetPosition() const { return m_origin; }
  //! Moves the origin; the orientation stays.
  void SetPos(const DPoint3D& position) { m_origin = position; }
  const FMat33& GetOrientation() const { return m_orientation; }

  //! The rotation part, for a placement whose scale is the same along every axis.
  Quat GetQuat() const;
  //! The scale, taken from the length of the first axis.
  double GetScale() const;

  DMat44 GetXform() const;
  //! The placement that undoes this one; false, leaving out as it was, when it cannot be undone.
  bool GetInverse(Location& out) const;

  bool operator==(const Location& other) const;
  bool operator!=(const Location& other) const { return !(*this == other); }

private:
  FMat33 m_orientation;
  DPoint3D m_origin;
};

DPoint3D operator*(const DPoint3D& point, const Location& location);

} // namespace dg
