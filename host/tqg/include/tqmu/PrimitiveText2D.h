#pragma once

#include <dg/FPoint2D.h>
#include <tqmu/Primitive.h>

#include <string>

namespace tqmu {

//! A text drawn in the view's 2-D space, centred on its position.
//!
//! Its size follows the text and the font size by a fixed rule, so that layouts are exact:
//! width = 0.6 x font size x the characters of the longest line, height = 1.2 x font size x the
//! number of lines (lines split at "\n"; characters are UTF-8 code points). An empty text has one
//! line of no characters.
class PrimitiveText2D : public Primitive
{
public:
  PrimitiveText2D(const std::string& text, float fontSize, const dg::FPoint2D& position);

  const std::string& GetText() const { return m_text; }
  const dg::FPoint2D& GetPosition() const { return m_position; }
  float GetWidth() const { return m_width; }
  float GetHeight() const { return m_height; }

private:
  std::string m_text;
  dg::FPoint2D m_position;
  float m_width;
  float m_height;
};

} // namespace tqmu
