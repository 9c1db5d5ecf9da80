#pragma once

#include <dg/DVec3.h>
#include <du/SmartPtr.h>
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
//! A drag that the markup refuses (no shadow, or HandleDragStart false) does nothing further.
class MarkupDrag
{
public:
  MarkupDrag(const du::SmartPtr<tqk::Markup>& markup, const du::SmartPtr<tqk::View>& view);
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

  du::SmartPtr<tqk::Markup> m_markup;
  du::SmartPtr<tqk::View> m_view;
  du::SmartPtr<tqmk::MarkupShadow> m_shadow;
  bool m_stopped = false;
};

} // namespace tqannotations
