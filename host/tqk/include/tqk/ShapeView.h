#pragma once

#include <dg/Camera3D.h>
#include <dg/Color.h>
#include <du/SmartPtr.h>
#include <tqk/PickEvent.h>
#include <tqk/PickMode.h>
#include <tqk/PickResult.h>
#include <tqk/View.h>
#include <tqmu/Primitives.h>

#include <memory>
#include <vector>

namespace tqk {

//! A view of a shape scene: a camera, a size in pixels and three background colours (the two of
//! the gradient and the one of the margin).
//!
//! Picking: PickAsync queues the answer with the kernel (tqk::Kernel); when the queue is pumped,
//! a ray is cast through the camera at (x, y) against the faces of the scene's visible parts,
//! from the viewer (depth 0) on, and each part hit answers once, with its nearest point, nearest
//! part first. What lies behind the viewer is not hit.
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

  //! Asks what lies under the view pixel (x, y); the event hears how the pick ended
  //! (tqk::PickEvent::OnPickDone) when the kernel's queue is pumped, never inside this call. The
  //! kernel keeps the event alive until then, and lets it go afterwards also when the requester
  //! handed it to the kernel first. An event that was answered already gets nothing more: the
  //! kernel only lets it go. A null event is ignored.
  virtual void PickAsync(int x, int y, PickMode mode, const du::SmartPtr<PickEvent>& event);
  //! The next pick request of this view is answered with these results instead of the ray's.
  void SetNextPickAnswer(const std::vector<PickResult>& results);
  //! The next pick request of this view is cancelled (tqk::BaseAsyncEvent::Cancel) when the
  //! queue is pumped, as when the user gives up before the answer comes, instead of answered.
  void CancelNextPick() { m_cancelNextPick = true; }

  //! Draws the scene's markups as the host's redraw does, appending their primitives: the
  //! visible markups in drawing order (rising front stamp, then scene order), each followed by
  //! its visible children and, during a drag, by its shadow. Each one's content, when it is a
  //! drawing model (tqmu::MarkupData), is asked once for its primitives with the view's
  //! pipeline and surface, the markup's page, the first background colour, pass 0 and whether
  //! the markup is selected in this view. Contents may change markups while they are asked.
  //! Returns how many contents were asked; 0 outside a scene.
  //!
  //! Threads: called on the thread that drives the scene, while other threads may edit the
  //! markups through their controllers (see tqk::Markup). The draw reads the scene's list once,
  //! holding each markup by counted reference, so that none is freed under it. It then takes
  //! the write side of each markup's controller lock (tqk::Markup::GetControllerLock) while it
  //! collects that markup, its children and its shadow and asks their contents, so that no edit
  //! runs meanwhile; the write side, because a content may call back into its controller, which
  //! changes markups under that lock. A markup taken out of the scene after the list was read is
  //! still drawn this once. The caller must hold no read side of a controller's lock: asking for
  //! the write side then would abort the process.
  unsigned Redraw(tqmu::Primitives& primitives);

private:
  dg::Camera3D m_camera;
  dg::Color m_background[3];
  int m_width = 800;
  int m_height = 600;
  std::unique_ptr<std::vector<PickResult>> m_nextPickAnswer;
  bool m_cancelNextPick = false;
};

} // namespace tqk
