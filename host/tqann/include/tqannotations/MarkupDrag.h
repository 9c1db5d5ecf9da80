#pragma once

#include <dg/DVec3.h>
#include <du/SmartPtr.h>
#include <tqk/LockOwner.h>
#include <tqk/Markup.h>
#include <tqk/Operation.h>
#include <tqk/View.h>
#include <tqmk/MarkupShadow.h>
#include <tqmu/ModelBase.h>

namespace tqannotations {

//! Plays a user's drag of a markup in a view the way the host does, for the programs that play
//! the host (tests, the example):
//!
//! 1. Start: the markup makes its shadow (tqk::Markup::BeginShadowDrag, which keeps it for the
//!    drag), the shadow learns the model object picked under the mouse and HandleDragStart runs.
//!    StartAt picks that object as the host does: the pickable grab point
//!    (tqmu::ModelShadowPoint) of the shadow's drawing model nearest to the pixel, among those
//!    whose square, widened by 2 pixels each way, holds it; none when no such point does.
//! 2. Step, any number of times: the shadow's drag offset becomes the offset (in the view's
//!    space, from where the drag began) and HandleDragStep runs.
//! 3. Stop: the shadow learns the mouse position and HandleDragStop runs; the markup's controller
//!    hears MarkupUpdated (markup, shadow, operation); a given operation is recorded for undo;
//!    the kernel's queue is pumped, so that answers asked for during the drag arrive; the
//!    markup lets the shadow go.
//!
//! A center line (tqmk::CenterLineXYZ) is dragged by one point of its polyline: StartAt takes
//! the point nearest to the pixel, within 4 pixels. At the stop the view is picked at the mouse
//! position (answered by pumping the queue, whatever pumpKernel says) and the part hit first becomes the
//! shadow's item of the dragged end (an instance item; none for a point between the ends or a pick that hits
//! nothing); the drag is applied to the line before its controller hears of it; and the driver
//! records nothing, since a center line records its own edits.
//!
//! A markup drawn under another (a holder's child) reports to the controller the driver is
//! given, as the host routes the drags of a holder's children to the holder's controller.
//!
//! A drag that the markup refuses (no shadow, or HandleDragStart false) does nothing further.
//!
//! Threads: the driver runs on the thread that drives the scene, while other threads may edit
//! the markup through its controller. Each step holds the write side of the lock of the
//! controller that hears the drag (the markup's own, tqk::Markup::GetControllerLock, when none is
//! given), as drawing does; the lock is let go while the queue is pumped and while the
//! controller hears the drop, which it handles under its own lock.
class MarkupDrag
{
public:
  //! controller: who hears the drag; null for the markup's own.
  MarkupDrag(const du::SmartPtr<tqk::Markup>& markup, const du::SmartPtr<tqk::View>& view,
             tqk::MarkupController* controller = nullptr);
  MarkupDrag(const MarkupDrag&) = delete;
  MarkupDrag& operator=(const MarkupDrag&) = delete;
  //! Ends a drag that was started and not stopped, without telling the controller.
  ~MarkupDrag();

  //! False when the markup refuses the drag, or when it was started already.
  bool Start(const du::SmartPtr<tqmu::ModelBase>& pickedModel);
  //! Starts with the model object under the view pixel (x, y), as above.
  bool StartAt(int x, int y);
  //! False, doing nothing, outside a started drag.
  bool Step(const dg::DVec3& offset);
  //! With pumpKernel false the queue is left for the caller to pump (the shadow is then let go
  //! only by the destructor or a later Finish). False, doing nothing, outside a started drag.
  bool Stop(int x, int y, const du::SmartPtr<tqk::Operation>& operation, bool pumpKernel = true);
  //! Lets the markup's shadow go after a Stop that left the queue alone.
  void Finish();

  //! The shadow of the drag; null before Start and after the drag ended.
  const du::SmartPtr<tqmk::MarkupShadow>& GetShadow() const { return m_shadow; }

private:
  bool BeginShadow();
  bool HandleStart(const du::SmartPtr<tqmu::ModelBase>& pickedModel);
  //! The center line's dropped end: its item from a pick at the mouse, and the line moved.
  void DropCenterLineEnd(int x, int y);

  du::SmartPtr<tqk::Markup> m_markup;
  du::SmartPtr<tqk::View> m_view;
  tqk::MarkupController* m_controller;
  du::SmartPtr<tqk::LockOwner> m_lock;
  du::SmartPtr<tqmk::MarkupShadow> m_shadow;
  bool m_stopped = false;
};

} // namespace tqannotations
