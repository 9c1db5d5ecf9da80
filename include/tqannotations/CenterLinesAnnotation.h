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
class TQANNOTATIONS_EXPORT CenterLinesAnnotation : public AssocAnnotation
{
public:
  //! The end of the line an item or point belongs to.
  enum AttachedPoint
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
  StoredSelections GetSelectionItemDataRepresentations(const std::vector<du::SmartPtr<tqk::Object>>& objects) const;
  std::vector<du::SmartPtr<tqk::Object>> GetAssociatedObjects() const override;

  // Representations, style and snapshot.
  void AddRepresentation();
  void ReCalculateMarkup();
  void GetRepresentations(std::vector<du::SmartPtr<CenterLinesRepresentation>>& out) const;
  bool SetLineStyle(CenterStyle style, std::uint16_t mask);
  void GetLineStyle(CenterStyle& style);
  void GetCenterLinesInfo(CenterLinesInfo& info) const;
  void SetCenterLinesInfo(const CenterLinesInfo& info);

  // Scenes.
  bool AttachScene(const du::SmartPtr<tqk::Scene>& scene) override;
  bool DetachScene() override;
  void HideAnnotation() override;

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
  // Pick pairs: the nearest points between the items of slots i and j, placed by the slots'
  // matrices, p1 on the first item and p2 on the second as the host's closest-points query
  // orders them. False, p1 and p2 untouched, when a slot is past the last or lacks the shape,
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

  bool StartMeasurement();
  void OnAllGeometryLoaded() override;
  void SlotsVerification(StoredSelections& selections) override;
  void CreateRepresentations();
  void CreateMarkup();
  void RemoveMarkup();

private:
  du::Symbol GetSlotID(int slot, bool) const;
  du::Symbol GetSlotName(int slot) const;
  bool IsInstanceIn3dView(du::ConstSmartPtr<tqk::SelectionItemRepresentation>& selection);
  bool IsValidSbom(int slot) const;
  bool ExplodeLineAlreadyExistsForSlot(du::Symbol slotId) const;
  bool IsCoodinateSystem(const du::SmartPtr<tqk::Object>& object) const;
  bool ComparePoints(dg::DPoint3D a, dg::DPoint3D b) const;

  void CreateMeasurementFromPicks();
  //! False, the end points as they were, when slot 0 gives no valid derived system.
  bool ExtractPointsFromSelection(bool);
  dg::Location GetShapeLocationData(int slot);
  void GetTQKInstanceList(int slot, std::set<du::SmartPtr<tqk::Instance>>& instances);
  void GetShapeInstanceList(int slot, ShapeInstances& parts);
  //! The placement a representation follows, and the part it belongs to.
  void DeriveRepresentationPlacement(dg::Location& placement, du::Symbol& partName);
  void Post(dom::ObservableEvent* event);

  dg::DPoint3D m_point1;
  dg::DPoint3D m_point2;
  dg::Location m_location1;
  dg::Location m_location2;
  std::deque<dg::DPoint3D> m_jogs;
  bool m_jogsTaken = false;
  bool m_measured = false;
  bool m_hasEndPoints = false; // measured once or given a snapshot: the end points mean something
  bool m_selected = false;
  du::SmartPtr<CenterLinesMarkup> m_holder;
  int m_slotCount = 3;
  CenterStyle m_style;
  dg::Location m_csys = dg::Location::IDENTITY;
  std::vector<du::SmartPtr<CenterLinesRepresentation>> m_representations;
};

} // namespace tqannotations
