#pragma once

#include <dg/DPoint3D.h>
#include <dg/Location.h>

#include <sstream>
#include <string>

//! A point as "(x, y, z)", so that tests compare points and report them in one readable text.
inline std::string Text(const dg::DPoint3D& point)
{
  std::ostringstream text;
  text << "(" << point.x << ", " << point.y << ", " << point.z << ")";
  return text.str();
}

//! A placement that only moves: the identity orientation at the position.
inline dg::Location At(double x, double y, double z)
{
  dg::Location placement = dg::Location::IDENTITY;
  placement.SetPos(dg::DPoint3D(x, y, z));
  return placement;
}
