#include <dg/Color.h>

#include <algorithm>
#include <cmath>

namespace dg {

const Color Color::BLACK(0, 0, 0, 1);
const Color Color::WHITE(1, 1, 1, 1);
const Color Color::RED(1, 0, 0, 1);
const Color Color::GREEN(0, 1, 0, 1);
const Color Color::BLUE(0, 0, 1, 1);
const Color Color::YELLOW(1, 1, 0, 1);

void Color::Set(unsigned packed)
{
  r = ((packed >> 16) & 0xFF) / 255.0f;
  g = ((packed >> 8) & 0xFF) / 255.0f;
  b = (packed & 0xFF) / 255.0f;
}

void Color::Set(float red, float green, float blue, float alpha)
{
  r = red;
  g = green;
  b = blue;
  a = alpha;
}

void Color::SetRGB(int red, int green, int blue)
{
  r = std::clamp(red, 0, 255) / 255.0f;
  g = std::clamp(green, 0, 255) / 255.0f;
  b = std::clamp(blue, 0, 255) / 255.0f;
}

unsigned Color::GetAsHex() const
{
  const auto channel = [](float value) {
    if (!(value > 0.0f)) // also NaN
      return 0u;
    return static_cast<unsigned>(std::lround(std::min(value, 1.0f) * 255.0f));
  };
  return (channel(r) << 16) | (channel(g) << 8) | channel(b);
}

} // namespace dg
