#pragma once

// How a callout turns sizes from its definition into points, and line widths into pixels.

namespace tqannotations {

//! The value, given in the template unit code (0 millimetre, 1 centimetre, 2 inch), in points;
//! any other code takes the value as it stands.
float ToPoints(int unitCode, float value);

//! A leader width in points as a width that can be drawn: one that is not a number or is
//! negative is taken as 0.
float DrawableLineWidth(float points);

//! Whole pixels for a line of that many points at the resolution (pixels per inch), rounded
//! half up and at least 1.
int PixelWidth(float points, float resolution);

} // namespace tqannotations
