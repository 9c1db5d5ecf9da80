#pragma once

namespace dg {

//! A colour of four float channels from 0 to 1: red, green, blue and alpha.
struct Color
{
  static const Color BLACK;
  static const Color WHITE;
  static const Color RED;
  static const Color GREEN;
  static const Color BLUE;
  static const Color YELLOW;

  float r = 0.0f;
  float g = 0.0f;
  float b = 0.0f;
  float a = 1.0f;

  constexpr Color() = default;
  constexpr Color(float red, float green, float blue, float alpha = 1.0f)
      : r(red), g(green), b(blue), a(alpha)
  {}

  //! Red, green and blue from a value packed as 0xRRGGBB; alpha is left as it is.
  void Set(unsigned packed);
  void Set(float red, float green, float blue, float alpha);
  //! Red, green and blue from channels of 0 to 255; alpha is left as it is.
  void SetRGB(int red, int green, int blue);
  //! Red, green and blue packed as 0xRRGGBB, each channel rounded to 0 to 255.
  unsigned GetAsHex() const;

  bool operator==(const Color& other) const
  {
    return r == other.r && g == other.g && b == other.b && a == other.a;
  }
  bool operator!=(const Color& other) const { return !(*this == other); }
};

} // namespace dg
