#pragma once

#include <dg/DPoint3D.h>
#include <dg/Location.h>
#include <du/ConstSmartPtr.h>
#include <du/OutputBuffer.h>
#include <du/SmartPtr.h>
#include <du/Symbol.h>
#include <tqannotations/AssocAnnotation.h>
#include <tqannotations/CenterLinesInfo.h>
#include <tqannotations/CenterLinesMarkup.h>
#include <tqannotations/CenterLinesRepresentation.h>
#include <tqannotations/CenterStyle.h>
#include <tqannotations/Export.h>
#include <tqannotations/SlotIdentity.h>
#include <tqk/SelectionItemRepresentation.h>

#include <deque>
#include <set>
#include <string>
#include <vector>

namespace tqgeom {
class GeometryEvent;
}

namespace tqk {
class Instance;
}

namespace tqannotations {

//! A center line: a styled line drawn between two picked items of a scene of parts, optionally
//! routed along the axes of a coordinate system picked as a third item.
//!
//! The picked items sit in three slots of the associative base: slots 0 and 1 hold the items the
//! line runs between, slot 2 the optional coordinate system. Every change of the slots starts a
//! measurement, which the host answers later (geometry, then view bounds) and which ends with the
//! two end points, rebuilt representations (CenterLinesRepresentation) and, while a scene is
//! attached, a holder markup (CenterLinesMarkup) in that scene. Observers
//! (MeasurementObserver) hear of changed slots, the active slot, changed values and whether the
//! measurement is valid.
//!
//! Every annotation carries its own re-entrant read/write lock; each operation says which side
//! it holds.
//!
//! Threads: the measurement, the validation and the scene notifications of the center lines of
//! one scene run on one thread, the one that drives that scene and pumps the host's queue. Other
//! threads may read values and snapshots, change the style or the selection, and attach and
//! detach the line, under the lock. The line builds, changes and takes out its markups (the
//! holder, the representations and their drawn lines) only under the write side, and the host's
//! thread draws and drags them holding the write side of this same lock (the holder's controller
//! lock, tqk::Markup::GetControllerLock), so a restyle on another thread never changes or frees
//! a markup that is being drawn. The host must not draw or drag the line while its thread holds
//! only the read side: asking for the write side then aborts. The lock is never held while the
//! line shows or hides the parts of the scene, which tells every line of the scene.
class TQANNOTATIONS_EXPORT CenterLinesAnnotation : public AssocAnnotation
{
public:
  //! The end of the line an item or point belongs to. Held in an int, so that a caller may pass
  //! any value; values other than these two name no end.
  enum AttachedPoint : int
  {
    FIRST_END = 0,
    SECOND_END = 1,
  };

  //! Three empty slots, not measured, the style of the current preferences.
  CenterLinesAnnotation();
  //! As the default constructor, then the snapshot applied (measured; its jogs are not taken).
  explicit CenterLinesAnnotation(const CenterLinesInfo& info);
  //! The source's values and copies of its slot objects and representations; not selected, no
  //! holder, no scene.
  CenterLinesAnnotation(const CenterLinesAnnotation& other);
  ~CenterLinesAnnotation() override;

  //! Takes the line out of its scene and tells the observers that the measurement is no longer
  //! valid while the object is still whole; the destructor then only releases.
  bool ZeroReferenceCountHook() override;

  static du::Symbol GetClassStatic();

  // Construction and identity (read lock for Clone).
  du::SmartPtr<tqk::Annotation> Clone() const override;
  du::SmartPtr<tqk::Scene> GetScene() const;
  du::Symbol GetPrimarySlotID() const;
  //! Whether GetPrimarySlotID would give the id. Kept ready by every operation of the line that
  //! replaces its first slot, so that the scans through a scene's lines neither lock a line nor
  //! cast its items.
  bool HasPrimarySlotID(const du::Symbol& id) const { return m_primaryIdentity.Is(id); }

  // Slot operations.
  bool SetObjects(const std::vector<du::SmartPtr<tqk::SelectionItem>>& items,
                  const du::SmartPtr<tqk::AsyncEvent>& request, bool start) override;
  bool SetActiveObject(const du::SmartPtr<tqk::SelectionItem>& item);
  bool SetCSysObject(const du::SmartPtr<tqk::SelectionItem>& item);
  //! Every slot in range becomes the base's active slot; the event names the slot given.
  bool SetActiveSlot(int slot);
  bool ClearSlot(int slot);
  bool ClearCSysSlot();
  //! Ends other than FIRST_END and SECOND_END change nothing.
  void SetPoint(dg::DPoint3D point, float extent, du::SmartPtr<tqk::SelectionItem>& item, AttachedPoint end);
  void SetCSys(CenterStyle::CSYS_ID id, CenterStyle::CSYS_TYPE type, dg::Location placement,
               du::SmartPtr<tqk::SelectionItem> item);
  CenterStyle::CSYS_TYPE GetCSys(CenterStyle::CSYS_ID& id, dg::Location& placement,
                                 du::SmartPtr<tqk::SelectionItem>& item);
  du::SmartPtr<tqk::Object> GetObject(unsigned slot) const;
  bool CompareCSys(CenterLinesAnnotation* other) const;
  //! Puts the item into the slot of the end, tied to it; null and ends other than FIRST_END and
  //! SECOND_END change nothing.
  void SetAttachedItem(const du::SmartPtr<tqk::SelectionItem>& item, AttachedPoint end);

  // Drag editing.
  //! The user dragged the line (changed: the drawn child of one of its representations; shadow:
  //! the tqmk::CenterLineXYZShadow of the drag): the ends take the items they were dropped on, the
  //! style the dragged extensions, drag factor and offsets. With an operation and while an
  //! annotation set holds the line, the edit is added to the operation as a
  //! CenterLinesOperationStep and the operation recorded. False, nothing changed, for another
  //! shadow or a markup no representation draws. Write lock.
  bool MarkupUpdated(const du::SmartPtr<tqk::Markup>& changed, const du::SmartPtr<tqk::Markup>& shadow,
                     const du::SmartPtr<tqk::Operation>& operation) override;

  // Scene changes. Only a line that follows its parts (the style's attached flag) and is measured
  // listens: its ends follow moved parts by the translation of their placements, and the part of
  // slot 0 decides whether it shows, leaves its annotation set or re-reads its placement.
  //! Write lock.
  void OnShapeInstancesPositionModified(const ShapeInstances& parts) override;
  void OnShapeInstancesAppearanceModified(const ShapeInstances& parts) override;
  //! The line may leave its annotation set, which may drop the last reference but one: the caller
  //! keeps it alive until this returns.
  void OnShapeInstancesRemove(const ShapeInstances& parts) override;
  void OnShapeInstancesCreate(const ShapeInstances& parts) override;
  //! Whether the item of the slot stands on a part of the list; with all, for a weld, only when
  //! every member is in the list. An empty list, and a structure instance without instances,
  //! hold nothing. Write lock.
  bool SlotContainsShapeInstance(const ShapeInstances& parts, int slot, bool all) const;
  //! The first slot, in order, whose item stands on a part of the list into slot; false, slot
  //! untouched, when none does.
  bool SlotListContainsShapeInstance(const ShapeInstances& parts, int& slot, bool all) const;

  // Observers.
  bool RegisterObserver(const du::SmartPtr<MeasurementObserver>& observer) override;
  bool RaiseObjectChanged(const du::SmartPtr<tqk::SelectionItem>& item);

  // Validation.
  //! A slot past the last is not valid.
  bool ValidateObject(unsigned slot) const override;
  bool ValidateObjects() const override;
  std::vector<du::SmartPtr<Annotation>> GetCollidingExplodeLinesForSlot(du::Symbol slotId) const;

  // Stored selections and associated objects.
  void SerializeString(du::OutputBuffer& buffer, const std::string& text) const;
  void SerializeSelectionItemData(du::OutputBuffer& buffer,
                                  const du::ConstSmartPtr<tqk::SelectionItemRepresentation>& selection) const;
  void SerializeSelectionVector(du::OutputBuffer& buffer, const StoredSelections& selections) const;
  //! Objects that are not selection items are skipped.
  StoredSelections
  GetSelectionItemDataRepresentations(const std::vector<du::SmartPtr<tqk::Object>>& objects) const;
  std::vector<du::SmartPtr<tqk::Object>> GetAssociatedObjects() const override;

  // Representations, style and snapshot.
  void AddRepresentation();
  void ReCalculateMarkup();
  void GetRepresentations(std::vector<du::SmartPtr<CenterLinesRepresentation>>& out) const;
  bool SetLineStyle(CenterStyle style, std::uint16_t mask);
  void GetLineStyle(CenterStyle& style);
  void GetCenterLinesInfo(CenterLinesInfo& info) const;
  void SetCenterLinesInfo(const CenterLinesInfo& info);

  // Scenes, visibility and selection.
  bool AttachScene(const du::SmartPtr<tqk::Scene>& scene) override;
  bool DetachScene() override;
  void HideAnnotation() override;
  //! Shows the drawn line and, for a line that follows its parts, those parts of the first item
  //! that are hidden. A call made while the parts are being shown does nothing more.
  void ShowAnnotation() override;
  //! Passes a change of the selection on to the drawn line; the same state again changes nothing.
  void OnSetSelected(bool selected, const du::SmartPtr<tqk::View>& view) override;
  //! Shows the line in the view too, and asks for the views' bounds, which measure it again.
  bool AddView(const du::SmartPtr<tqk::View>& view) override;
  du::Symbol GetIconName() const override;
  //! "Center Line %d" of the host's catalogue, numbered from 1.
  std::string GetMarkupName(unsigned index) const override;
  //! The name of the first item; the catalogue's name of center lines when it has none.
  std::string GetObjectDescription() const override;
  //! Another center line on the same items whose ends lie within 1e-7 of this one's in every
  //! coordinate and whose style is equal; the items' positions and the jogs do not count.
  bool IsEqual(const du::SmartPtr<tqk::Annotation>& other) const override;
  //! Shows or hides the line by the visibility of its first item's part; false, changing
  //! nothing, when the first item gives no part.
  bool CheckVisibility();
  //! Whether the part the line follows is selected; true for a line that follows no part. Read lock.
  bool IsAttachedShapeSelected();

  // Measurement.
  void OnViewBoundsReceived() override;
  void MeasurementComplete(tqgeom::GeometryEvent* event);
  void PostMeasurementValidation(bool ok);
  bool RecalculateMeasurementOnLoad() override;

  // Saved content.
  void Visit(tqk::SerializedContentElement& element) const override;
  bool InitializeFromSerializedContent(const tqk::SerializedContentElement* element) override;

  // The plain parts of the annotation interface.
  bool AllowGroupDrag() const override;
  bool CanAnimate() const override;
  void OnSetScale(double scale) override;
  void OnSetDisplayPrecision(int digits) override;
  void GetMarkupLocation(unsigned index, dg::Location& location) const override;
  void SetMarkupLocation(unsigned index, const dg::Location& location) override;
  unsigned NumberOfMarkups() const override;

protected:
  bool StartMeasurement();
  void OnAllGeometryLoaded() override;
  void SlotsVerification(StoredSelections& selections) override;
  void CreateRepresentations();
  void CreateMarkup();
  void RemoveMarkup();
  //! The host's units changed; the line's values are told to change with them.
  void OnSetActiveUnits(int units) override;

private:
  //! Reaches the pick pairs for the tests: nothing in the library calls them.
  friend class CenterLinesPickPairsProbe;

  // Pick pairs: the nearest points between the items of slots i and j, placed by the slots'
  // matrices, p1 on the first item (slot i) and p2 on the second (slot j or the picked point).
  // False, p1 and p2 untouched, when a slot is past the last or lacks the shape,
  // face, edge or point, when the query finds no pair, and always for the pairs not supported
  // (EdgeToEdge, EdgeToPoint, FaceToFace). No lock.
  bool ShapeToShape(unsigned i, unsigned j, dg::DPoint3D& p1, dg::DPoint3D& p2) const;
  bool ShapeToFace(unsigned i, unsigned j, dg::DPoint3D& p1, dg::DPoint3D& p2) const;
  bool ShapeToEdge(unsigned i, unsigned j, dg::DPoint3D& p1, dg::DPoint3D& p2) const;
  bool FaceToEdge(unsigned i, unsigned j, dg::DPoint3D& p1, dg::DPoint3D& p2) const;
  bool ShapeToPoint(unsigned i, unsigned j, dg::DPoint3D& p1, dg::DPoint3D& p2) const;
  bool FaceToPoint(unsigned i, unsigned j, dg::DPoint3D& p1, dg::DPoint3D& p2) const;
  bool EdgeToEdge(unsigned i, unsigned j, dg::DPoint3D& p1, dg::DPoint3D& p2) const;
  bool EdgeToPoint(unsigned i, unsigned j, dg::DPoint3D& p1, dg::DPoint3D& p2) const;
  bool FaceToFace(unsigned i, unsigned j, dg::DPoint3D& p1, dg::DPoint3D& p2) const;

  du::Symbol GetSlotID(int slot, bool);
  du::Symbol GetSlotName(int slot);
  //! GetSlotID and GetSlotName for the const operations that name the line: the id path of the
  //! slot's part and the name of its object, each the empty symbol when there is none. Read lock.
  du::Symbol SlotIdAt(int slot) const;
  du::Symbol SlotNameAt(int slot) const;
  bool IsInstanceIn3dView(du::ConstSmartPtr<tqk::SelectionItemRepresentation>& selection);
  bool IsValidSbom(int slot) const;
  bool ExplodeLineAlreadyExistsForSlot(du::Symbol slotId) const;
  bool IsCoodinateSystem(const du::SmartPtr<tqk::Object>& object) const;
  bool ComparePoints(dg::DPoint3D a, dg::DPoint3D b) const;

  void CreateMeasurementFromPicks();
  //! Completes a measurement without waiting for the picks' geometry or the views' bounds. Part of
  //! the exported interface the host may reach; nothing in the library calls it.
  void CreateApproximateShapeViewMeasurement();
  //! Takes both end points from slot 0's derived system; without a valid one they stay as they
  //! were, and the line has end points only if it had them before.
  void ExtractPointsFromSelection(bool);
  dg::Location GetShapeLocationData(int slot);
  void GetTQKInstanceList(int slot, std::set<du::SmartPtr<tqk::Instance>>& instances);
  void GetShapeInstanceList(int slot, ShapeInstances& parts);
  //! The placement a representation follows, and the part it belongs to.
  void DeriveRepresentationPlacement(dg::Location& placement, du::Symbol& partName);
  //! Gives the representations the current ends, style, placement and part, keeping their number.
  void UpdateRepresentations();
  void Post(dom::ObservableEvent* event);
  //! Whether the scene-change notices concern the line at all: attached, measured, in a scene.
  bool IsFollowingParts() const;
  //! Whether slot 0 is the first slot holding a part of the list.
  bool IsFirstSlotIn(const ShapeInstances& parts, bool all) const;
  //! The placement GetShapeLocationData gives; false, placement untouched, when the slot's part
  //! yields none.
  bool DeriveSlotPlacement(int slot, dg::Location& placement);

  dg::DPoint3D m_point1;
  dg::DPoint3D m_point2;
  dg::Location m_location1;
  dg::Location m_location2;
  std::deque<dg::DPoint3D> m_jogs;
  bool m_jogsTaken = false;
  bool m_measured = false;
  bool m_hasEndPoints = false; // measured once or given a snapshot: the end points mean something
  bool m_selected = false;
  bool m_showingParts = false; // ShowAnnotation is showing the first item's parts
  du::SmartPtr<CenterLinesMarkup> m_holder;
  int m_slotCount = 3;
  CenterStyle m_style;
  dg::Location m_csys = dg::Location::IDENTITY;
  dg::Quat m_loadedCsysRotation{0.0, 0.0, 0.0, 0.0}; // "csys" as read, saved while m_csys turns so
  std::vector<du::SmartPtr<CenterLinesRepresentation>> m_representations;
  SlotIdentity m_primaryIdentity; // of the first slot
};

} // namespace tqannotations
