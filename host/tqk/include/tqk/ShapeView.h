#pragma once

#include <dg/Camera3D.h>
#include <dg/Color.h>
#include <tqk/View.h>

namespace tqk {

//! A view of a shape scene: a camera, a size in pixels and three background colours (the two of
//! the gradient and the one of the margin).
class ShapeView : public View
{
public:
  explicit ShapeView(const du::SmartPtr<Window>& window = nullptr);

  void GetCamera(dg::Camera3D& camera) const { camera = m_camera; }
  void SetCamera(const dg::Camera3D& camera) { m_camera = camera; }

  void GetBackgroundColors(dg::Color& first, dg::Color& second, dg::Color& third) const;
  void SetBackgroundColors(const dg::Color& first, const dg::Color& second, const dg::Color& third);

  int GetWidth() const { return m_width; }
  int GetHeight() const { return m_height; }
  void SetSize(int width, int height);

private:
  dg::Camera3D m_camera;
  dg::Color m_background[3];
  int m_width = 800;
  int m_height = 600;
};

} // namespace tqk
