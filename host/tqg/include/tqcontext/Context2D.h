#pragma once

namespace tqcontext {

//! The 2-D surface a view is drawn on, as drawing models see it: its size in pixels.
class Context2D
{
public:
  Context2D(int width, int height) : m_width(width), m_height(height) {}

  int GetWidth() const { return m_width; }
  int GetHeight() const { return m_height; }

private:
  int m_width;
  int m_height;
};

} // namespace tqcontext
