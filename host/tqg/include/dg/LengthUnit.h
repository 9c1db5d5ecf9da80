#pragma once

namespace dg {

//! Units of length and conversion between them.
class LengthUnit
{
public:
  enum Unit
  {
    MILLIMETER = 0,
    CENTIMETER = 1,
    INCH = 2,
    POINT = 3, //!< 1/72 inch
    METER = 4,
  };

  //! The value, a quantity of the given dimension (1 a length, 2 an area, 3 a volume) in the unit
  //! from, expressed in the unit to. An unknown unit or dimension gives the value unchanged.
  static double Convert(int from, int to, double value, int dimension);
};

} // namespace dg
