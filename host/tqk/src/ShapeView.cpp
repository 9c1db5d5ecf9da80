#include <tqk/ShapeView.h>

namespace tqk {

ShapeView::ShapeView(const du::SmartPtr<Window>& window)
  : View(window),
    m_background{dg::Color(1, 1, 1, 1), dg::Color(1, 1, 1, 1), dg::Color(1, 1, 1, 1)}
{
}

void ShapeView::GetBackgroundColors(dg::Color& first, dg::Color& second, dg::Color& third) const
{
  first = m_background[0];
  second = m_background[1];
  third = m_background[2];
}

void ShapeView::SetBackgroundColors(const dg::Color& first, const dg::Color& second,
                                    const dg::Color& third)
{
  m_background[0] = first;
  m_background[1] = second;
  m_background[2] = third;
}

void ShapeView::SetSize(int width, int height)
{
  // The drawing surface handed to drawing models always has an area.
  m_width = width > 0 ? width : 1;
  m_height = height > 0 ? height : 1;
}

} // namespace tqk
