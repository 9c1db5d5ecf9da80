#pragma once

#include <dg/Color.h>
#include <tqmu/ModelBase.h>

#include <string>

namespace tqmu {

//! The drawing model of a label: its text in a frame of some shape, centred on the node's
//! position.
class ModelNote : public ModelBase
{
public:
  //! Frame shapes. Codes outside the list are kept as given and drawn without a frame.
  enum Shape
  {
    CIRCLE = 0,
    SQUARE = 1,
    RECTANGLE = 2,
    HEXAGON = 3,
    TRIANGLE_UP = 4,
    TRIANGLE_DOWN = 5,
    ROUNDED_RECTANGLE = 6,
    NO_SHAPE = 12
  };

  void SetText(const std::string& text) { m_text = text; }
  const std::string& GetText() const { return m_text; }
  void SetFontSize(float size) { m_fontSize = size; }
  float GetFontSize() const { return m_fontSize; }
  void SetTextColor(const dg::Color& color) { m_textColor = color; }
  const dg::Color& GetTextColor() const { return m_textColor; }
  void SetFillColor(const dg::Color& color) { m_fillColor = color; }
  const dg::Color& GetFillColor() const { return m_fillColor; }
  void SetShape(Shape shape) { m_shape = shape; }
  Shape GetShape() const { return m_shape; }

  //! One tqmu::PrimitiveText2D for the text, centred on the origin of the label's space.
  void AppendPrimitives(Primitives& primitives) const override;

private:
  std::string m_text;
  float m_fontSize = 10.0f;
  dg::Color m_textColor = dg::Color(0, 0, 0, 1);
  dg::Color m_fillColor = dg::Color(1, 1, 1, 1);
  Shape m_shape = CIRCLE;
};

} // namespace tqmu
