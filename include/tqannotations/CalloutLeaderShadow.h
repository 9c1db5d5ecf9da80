#pragma once

#include <dg/DPoint3D.h>
#include <dg/DVec3.h>
#include <dg/Segment.h>
#include <du/SmartPtr.h>
#include <du/Symbol.h>
#include <tqannotations/Export.h>
#include <tqk/Operation.h>
#include <tqk/PickResult.h>
#include <tqk/View.h>
#include <tqmk/MarkupShadow.h>
#include <tqmu/ModelBase.h>
#include <tqmu/ModelContainer.h>
#include <tqmu/ModelLineStrip.h>
#include <tqmu/ModelShadowPoint.h>

#include <deque>
#include <vector>

namespace tqannotations {

class CalloutLeader;

//! The shadow of a callout leader while the user drags one of its points.
//!
//! It draws the leader as a line with a grab point at each leader point. The grabbed point
//! follows the mouse; when the button is released in a shape view, the shadow asks the kernel
//! what lies under the mouse, and the answer decides: a hit on the leader's own part (or, for a
//! leader picked in a structure-tree assembly, on a part of that assembly's weld) drops the point
//! there, in an undoable operation that the leader's callout fills (MarkupUpdated) and the shadow
//! records when the leader changed; anything else puts the point back where the leader has it.
//!
//! The leader does not move during the drag; the shadow's own points are the ones drawn.
class TQANNOTATIONS_EXPORT CalloutLeaderShadow : public tqmk::MarkupShadow
{
public:
  CalloutLeaderShadow(const du::SmartPtr<tqk::View>& view, CalloutLeader* leader);
  ~CalloutLeaderShadow() override;

  // The host's setter of the mouse position where the drag ended, beside the private one of the
  // dropped point.
  using tqmk::MarkupShadow::SetDragStopPosition;

  //! Grabs the shadow point that the host picked under the mouse, if it is one. Always true.
  bool HandleDragStart() override;
  //! Moves the grabbed point by the drag offset from where the leader has it.
  void HandleDragStep() override;
  //! Asks what lies under the mouse (see the class comment); nothing without a grabbed point.
  void HandleDragStop() override;
  //! Moves every point by the offset (in the view's space) from where the leader has it.
  void Translate(const dg::DVec3& offset) override;
  //! Hands the shadow to the leader's callout with the host's operation; the offset is unused.
  void Stop(const dg::DVec3& offset, const du::SmartPtr<tqk::Operation>& operation) override;
  du::SmartPtr<tqk::Markup> GetMarkup() override;
  //! The move-node cursor over a grab point.
  bool GetDragCursor(const du::SmartPtr<tqmu::ModelBase>& model, du::Symbol& cursor) override;

  //! The points handed to the callout: the leader's points as they would be after the drop.
  std::vector<dg::DPoint3D> GetPoints() { return m_points; }
  //! The index of the grabbed point; -1 for none.
  int GetPickedNode() { return m_draggedNode; }
  //! Always null: the shadow connects to no other markup.
  du::SmartPtr<tqk::Markup> GetConnectionTarget() { return m_connectionTarget; }
  //! Puts one shadow point at the position (in the scene's space); nothing for an index past the
  //! last point.
  void MovePoint(int index, const dg::DPoint3D& position);
  //! A new grab point at the position, inserted after the start of the leader segment nearest
  //! to it (first when the shadow has no segment), and grabbed. The leader does not change.
  du::SmartPtr<tqmu::ModelShadowPoint> InsertPoint(const dg::DPoint3D& position);
  //! Draws the leader's points afresh, dropping the shadow's own.
  void MarkupChanged();
  //! The answer to the pick of the drop: the first hit that the leader accepts takes the drop;
  //! without one the grabbed point goes back.
  void OnReceivePick(const std::vector<tqk::PickResult>& results);

private:
  void Initialize();
  //! Puts the point at where it rests plus the offset; the caller notifies.
  void MoveNode(int index, const dg::DVec3& offset);
  void RemovePoint(int index);
  void RequestPick(int x, int y);
  void SetDragStopPosition(const dg::DPoint3D& stop);
  //! The distance from the point to the line through the segment's ends.
  double PointToSegmentDistance(const dg::DPoint3D& point, const dg::Segment<double, 3>& segment);

  //! Where a shadow point rests while it is not dragged: on the leader's point, or, for a point
  //! the shadow has beyond the leader's last one, where it stood when the drag began.
  dg::DPoint3D RestingPoint(std::size_t index) const;
  bool AcceptsHit(const tqk::PickResult& result) const;
  void SpringBack();
  void SetPointAt(std::size_t index, const dg::DPoint3D& position);

  du::SmartPtr<CalloutLeader> m_leader;
  du::SmartPtr<tqmu::ModelContainer> m_container;
  du::SmartPtr<tqmu::ModelLineStrip> m_lineStrip;
  std::deque<du::SmartPtr<tqmu::ModelShadowPoint>> m_shadowPoints;
  int m_draggedNode = -1;
  std::vector<dg::DPoint3D> m_points;
  du::SmartPtr<tqk::Markup> m_connectionTarget;
};

} // namespace tqannotations
