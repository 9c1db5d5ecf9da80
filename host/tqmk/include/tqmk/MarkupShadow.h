#pragma once

#include <dg/DPoint3D.h>
#include <dg/DVec3.h>
#include <du/SmartPtr.h>
#include <du/Symbol.h>
#include <tqk/Operation.h>
#include <tqk/View.h>
#include <tqmk/Markup.h>
#include <tqmu/ModelBase.h>

namespace tqmk {

//! The markup drawn in place of another while the user drags that one in a view.
//!
//! The host makes it through the dragged markup's ConstructShadow and plays the drag on it: it
//! sets the model object picked under the mouse and calls HandleDragStart, keeps the drag offset
//! up to date and calls HandleDragStep on each mouse move, sets the mouse position where the
//! button was released and calls HandleDragStop; the dragged markup's controller then hears of
//! the drag (tqk::MarkupController::MarkupUpdated) with the shadow.
//!
//! The drag offset is in the view's 2-D space (pixels, see dg::Camera3D);
//! GetDeltaInObjectSpace carries an offset into the scene's space.
class MarkupShadow : public Markup
{
public:
  static const du::Symbol CLASS_TYPE;

  //! ephemeral: whether the shadow lives only for the drag (the host neither saves nor selects
  //! such markups).
  MarkupShadow(const du::SmartPtr<tqk::View>& view, bool ephemeral);

  du::Symbol GetClassType() const override { return CLASS_TYPE; }
  void GetClassTypes(std::vector<du::Symbol>& types) const override;

  const du::SmartPtr<tqk::View>& GetView() const { return m_view; }
  bool IsEphemeral() const { return m_ephemeral; }

  //! The model object under the mouse when the drag began; null when there was none.
  void SetPickedModel(const du::SmartPtr<tqmu::ModelBase>& model) { m_pickedModel = model; }
  const du::SmartPtr<tqmu::ModelBase>& GetPickedModel() const { return m_pickedModel; }
  //! The offset of the mouse from where the drag began, in the view's space.
  void SetDragOffset(const dg::DVec3& offset) { m_dragOffset = offset; }
  const dg::DVec3& GetDragOffset() const { return m_dragOffset; }
  //! The mouse position where the drag ended, in view pixels.
  void SetDragStopPosition(int x, int y);
  int GetDragStopX() const { return m_stopX; }
  int GetDragStopY() const { return m_stopY; }

  //! The offset carried from the view's space into the scene's, through the inverse of the
  //! view's camera; unchanged in a view without a camera, or when the camera cannot be inverted.
  dg::DVec3 GetDeltaInObjectSpace(const dg::DVec3& viewOffset) const;

  //! The point the shadow is drawn from, in the scene's space.
  void SetRefPoint(const dg::DPoint3D& point) { m_refPoint = point; }
  const dg::DPoint3D& GetRefPoint() const { return m_refPoint; }

  //! The markup the shadow stands in for; the base stands in for none.
  virtual du::SmartPtr<tqk::Markup> GetMarkup();
  //! The cursor to show over the model object into cursor; false, cursor untouched, when the
  //! shadow has none for it (the base has none).
  virtual bool GetDragCursor(const du::SmartPtr<tqmu::ModelBase>& model, du::Symbol& cursor);
  //! The drag begins; false refuses it. The base accepts every drag.
  virtual bool HandleDragStart();
  //! The mouse moved; the base does nothing.
  virtual void HandleDragStep();
  //! The button was released; the base does nothing.
  virtual void HandleDragStop();
  //! Ends a move by an offset (in the scene's space) that the host made without the mouse: the
  //! base translates the shadow and reports the move to the markup's controller with the
  //! operation.
  virtual void Stop(const dg::DVec3& offset, const du::SmartPtr<tqk::Operation>& operation);

private:
  du::SmartPtr<tqk::View> m_view;
  bool m_ephemeral;
  du::SmartPtr<tqmu::ModelBase> m_pickedModel;
  dg::DVec3 m_dragOffset;
  int m_stopX = 0;
  int m_stopY = 0;
  dg::DPoint3D m_refPoint;
};

} // namespace tqmk
