#include "callouts/CalloutUnits.h"

#include <dg/LengthUnit.h>

#include <cmath>

namespace tqannotations {

float ToPoints(int unitCode, float value)
{
  switch (unitCode) {
  case 0: return float(dg::LengthUnit::Convert(dg::LengthUnit::MILLIMETER, dg::LengthUnit::POINT, value, 1));
  case 1: return float(dg::LengthUnit::Convert(dg::LengthUnit::CENTIMETER, dg::LengthUnit::POINT, value, 1));
  case 2: return float(dg::LengthUnit::Convert(dg::LengthUnit::INCH, dg::LengthUnit::POINT, value, 1));
  default: return value;
  }
}

float DrawableLineWidth(float points) { return std::isnan(points) || points < 0.0f ? 0.0f : points; }

int PixelWidth(float points, float resolution)
{
  const double inches =
      dg::LengthUnit::Convert(dg::LengthUnit::POINT, dg::LengthUnit::INCH, DrawableLineWidth(points), 1);
  const float pixels = float(resolution * inches) + 0.5f;
  constexpr float kWidest = 1.0e6f; // keeps the conversion to int defined
  if (!(pixels >= 1.0f))
    return 1;
  return pixels > kWidest ? int(kWidest) : int(pixels);
}

} // namespace tqannotations
