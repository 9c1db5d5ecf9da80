#include <dg/LengthUnit.h>

#include <cmath>

namespace dg {
namespace {

//! Millimetres per unit; 0 for a unit we do not know.
double MillimetresPer(int unit)
{
  switch (unit) {
  case LengthUnit::MILLIMETER: return 1.0;
  case LengthUnit::CENTIMETER: return 10.0;
  case LengthUnit::INCH: return 25.4;
  case LengthUnit::POINT: return 25.4 / 72.0;
  case LengthUnit::METER: return 1000.0;
  default: return 0.0;
  }
}

} // namespace

double LengthUnit::Convert(int from, int to, double value, int dimension)
{
  const double fromMm = MillimetresPer(from);
  const double toMm = MillimetresPer(to);
  if (fromMm == 0.0 || toMm == 0.0 || dimension < 1 || dimension > 3 || from == to)
    return value;
  return value * std::pow(fromMm / toMm, dimension);
}

} // namespace dg
