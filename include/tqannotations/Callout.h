#pragma once

#include <dg/Color.h>
#include <dg/DMat44.h>
#include <dg/DPoint3D.h>
#include <dg/FBox2D.h>
#include <dg/FPoint2D.h>
#include <dg/Location.h>
#include <dg/Segment.h>
#include <du/HashMap.h>
#include <du/SmartPtr.h>
#include <du/Symbol.h>
#include <tqannotations/Annotation.h>
#include <tqannotations/CalloutInfo.h>
#include <tqannotations/CalloutLeader.h>
#include <tqannotations/CalloutObserver.h>
#include <tqannotations/Export.h>
#include <tqannotations/TAnnotation.h>
#include <tqmu/ModelNote.h>

#include <atomic>
#include <set>
#include <string>
#include <vector>

namespace tqk {
class Markup;
class Object;
class Operation;
class Scene;
class SerializedContentElement;
class ShapeScene;
class View;
namespace illustration {
class SbomTree;
}
} // namespace tqk
namespace tqmk {
class CalloutLabel;
}

namespace tqannotations {

//! A callout: a text label in a shape, with leader lines whose anchors sit on parts of the model.
//!
//! The label is a host callout label markup, each leader a CalloutLeader markup. The callout's
//! values (text, look, position, page, one record per leader) live in its CalloutInfo; the look
//! comes from its own copy of a template (TAnnotation) and the setters keep the markups in step.
//!
//! Locking: value getters take the read side of the object's lock, the setters of the look that
//! the label and leaders share take the write side; the lock is re-entrant on one thread.
//! Clipping leaders at a frameless label, which the host drives while drawing, takes the write
//! side too, since it moves leader points that other threads may be moving or adding.
//!
//! Threads: the label and the leaders are the callout's markups, changed only under the write
//! side (look, text, font size, placement, attaching and detaching, drops), and the getters that
//! read them (the per-leader getters, GetMarkupLabelPosition) take the read side. The host's
//! thread draws and drags them holding the write side of this same lock (the lock of their
//! controller, tqk::Markup::GetControllerLock), so other threads may restyle, re-text, attach,
//! detach and read the callout while the host draws. The host must not draw or drag the callout
//! while its thread holds only the read side: asking for the write side then aborts. Showing,
//! hiding and selecting (ShowAnnotation, HideAnnotation, OnSetSelected) change what drawing reads
//! of the markups, so they take the write side too. A copy is made under the source's read side.
//!
//! A setter given a point or a colour that is not finite (a NaN or an infinite coordinate or
//! channel) changes nothing, so that nothing is drawn or saved that could not be read back.
//!
//! A copy made with the copy constructor shares its scene, label, definition and leader markups
//! with the source and copies the leader records; Clone makes an independent callout.
class TQANNOTATIONS_EXPORT Callout : public Annotation
{
public:
  //! What the callout stands for. Its type is int, so that a kind read from a document that this
  //! version does not know is kept as it is (and treated as neither note nor callout with leaders).
  enum CALLOUT_TYPE : int
  {
    CALLOUT_ITEM = 0,    //!< an item of the illustration's item list (it has an item id)
    CALLOUT_NOTE = 1,    //!< a label without leaders
    CALLOUT_LEADERS = 2, //!< a label with leaders
  };

  //! A callout with leaders and no item id, without label or definition until a template
  //! arrives; class and preselection cursor are the callout label's.
  Callout();
  //! A callout with the snapshot's values (copied as CalloutInfo's copy constructor copies) and
  //! a label made from them; its leader records stay records until it is attached to a scene.
  explicit Callout(const CalloutInfo& info);
  Callout(const Callout& other);
  Callout& operator=(const Callout&) = delete;
  ~Callout() override;

  static du::Symbol GetClassStatic();
  //! Red, green and blue are the means of the two colours; alpha is 1.
  static void GetBlendColor(const dg::Color& a, const dg::Color& b, dg::Color& out);
  //! The margin around the text of a frameless label at which leaders end.
  float GetNoShapeCalloutTextAreaPad() { return 5.0f; }

  // The annotation interface.

  //! An independent callout with this one's values, kind, item id, kit flag and a copy of its
  //! definition, marked as created from a file; its leaders are rebuilt from its leader records
  //! when it is attached to a scene.
  du::SmartPtr<tqk::Annotation> Clone() const override;
  //! False for every annotation, this one included.
  bool IsEqual(const du::SmartPtr<tqk::Annotation>& other) const override;
  void MarkupSelected(const du::SmartPtr<tqk::Markup>& markup, bool selected) override;
  bool AllowGroupDrag() const override;
  //! One selection item per part the leaders point at; for a leader picked in a welded assembly
  //! of the structure tree, the weld's members (the second set only where the illustration's
  //! items list has them unitemized). Empty for a note.
  std::vector<du::SmartPtr<tqk::Object>> GetAssociatedObjects() const override;
  int GetPageNum() const override;
  //! The short description, ": " and the first 12 characters of the text, line breaks as blanks.
  std::string GetObjectDescription() const override;
  //! "Note", "Callout" or "Item Callout" by kind, from the host's message catalogue.
  std::string GetShortObjectDescription() const;

  // Values.

  CALLOUT_TYPE GetType() const { return m_kind.load(); }
  bool IsInitialized() const;
  //! The label position; see CalloutInfo::position for its space.
  const dg::DPoint3D& GetPosition() const;
  std::string GetText() const;
  std::string GetFontFace() const;
  float GetFontSize() const;
  bool GetFontPhys() const;
  int GetFontUnit() const;
  dg::Color GetFontColor();
  dg::Color GetBackgroundColor();
  //! The shape code as the definition gave it, also one that the label draws as a circle.
  tqmu::ModelNote::Shape GetShape() const;
  int GetArrowStyle() const;
  //! In points.
  float GetLineWidth() const;
  int GetLineStipple() const;
  dg::Color GetLineColor() const;
  bool GetHalo() const;

  // Item id, kit and visibility from file.

  //! Makes the callout an item callout for the item.
  void SetItemId(unsigned int id);
  //! An item callout becomes a callout with leaders again; other kinds stay.
  void RemoveItemId();
  virtual bool HasItemId() const;
  virtual bool HasItemId(unsigned int id);
  //! False, leaving id as it was, when the callout has no item id.
  bool GetItemId(unsigned int& id);
  void SetAsKit(bool kit);
  bool IsKit() const;
  void SetVisibleFromFile(bool visible) { m_visibleFromFile = visible; }
  bool VisibleFromFile() const { return m_visibleFromFile; }

  // Definition and look.

  //! Takes a changed template: colours, arrow style, stipple, halo and shape follow it only
  //! where the template itself changed, so values the user set survive an unrelated change;
  //! font size and line width follow it where they differ from the callout's. A callout without
  //! a definition takes every look value of the template. Text, position and leaders stay.
  void UpdateDefinition(const du::SmartPtr<TAnnotation>& definition);
  void SetFontSize(float size);
  void SetFontFace(const std::string& face);
  void SetFontColor(const dg::Color& color);
  void SetBackgroundColor(const dg::Color& color);
  void SetShape(tqmu::ModelNote::Shape shape);
  void SetArrowStyle(int style);
  //! In points; one that is not a number or is negative is taken as 0.
  void SetLineWidth(float points);
  void SetLineColor(const dg::Color& color);
  void SetLineStipple(int stipple);
  void SetHalo(bool halo);
  //! An empty text is stored and shown as one blank. Tells the annotation set of the scene.
  void SetText(const du::Symbol& text);

  // Dimming.

  //! Dims or undims the leader at index, blending towards blend. The label follows: undimming
  //! any leader undims it; dimming dims it once every shown, attached leader is dim.
  void SetDimAtPos(bool dim, unsigned int index, const dg::Color& blend);
  bool IsDimAtPos(unsigned int index) const;
  void UpdateLeaderDim(const du::SmartPtr<CalloutLeader>& leader);
  void UpdateLabelDim();
  void SetHiddenAsDashedAtPos(bool dashed, unsigned int index);

  //! Tells the annotation set of the callout's scene that the callout changed.
  void NotifyCalloutChanged();

  // Placement on parts. Anchors are kept in their part's space, the label position in the space
  // of leader 0's part (a note's in the scene's space).

  //! Takes the definition and, with a part, places the callout on it: one leader to the centre
  //! of the part's box, the label at that anchor unless its position was set before. With
  //! notify, observers hear that the label position is set. A callout shown in its scene is
  //! first taken out of it.
  void Initialize(const du::SmartPtr<TAnnotation>& definition, const du::SmartPtr<tqk::ShapeInstance>& part,
                  bool notify, du::SmartPtr<tqk::BaseInstance> assembly);
  //! Takes the definition as a note: no leaders, no label placement, no event.
  void InitializeAsNote(const du::SmartPtr<TAnnotation>& definition);
  //! The centre of the part's box, in the part's space; false, anchor untouched, when the part
  //! has no box.
  bool CalculateAnchor(du::SmartPtr<tqk::ShapeInstance> part, dg::DPoint3D& anchor);
  //! Starts the leader at the label end of leader 0 and adds it; nothing for a note or a
  //! callout without leaders.
  void ConnectLeader(du::SmartPtr<CalloutLeader> leader);
  //! Places the label and the label ends of the leaders. A note tells its observers the first
  //! time; a callout whose leader 0 has no part is not placed.
  void SetLabelPosition(const dg::DPoint3D& position);
  //! Moves the anchor of the leader at index (in its part's space), and places the label there
  //! when it was never placed.
  void SetAnchor(const dg::DPoint3D& anchor, unsigned int index);
  //! The callout's own definition; null before it has one.
  du::SmartPtr<TAnnotation> GetDefinition();

  // Scenes. A leader is in the scene exactly while it is not detached; the label while the
  // label-in-scene flag is set. The label enters with the first leader and leaves with the last.

  //! Stores the scene the callout belongs to, without showing anything in it.
  void SetScene(const du::SmartPtr<tqk::ShapeScene>& scene);
  //! Shows the callout in the scene: rebuilds a loaded callout's leaders when the scene is new
  //! to it, adds the leaders whose parts are visible, then the label. A callout shown in another
  //! scene leaves it first; an empty scene reference detaches.
  bool AttachScene(const du::SmartPtr<tqk::Scene>& scene) override;
  //! Takes every leader and the label out of the scene and forgets the scene.
  bool DetachScene() override;
  //! Adds the leaders of the part with that id (all leaders for an empty id) to the scene; while
  //! the callout is hidden (tqk::Annotation::Hide), they are added hidden.
  bool AttachSubsetScene(const du::SmartPtr<tqk::Scene>& scene, std::string subset);
  //! Takes the leaders of the part with that id (all for an empty id) out of the scene, and the
  //! label once no leader is left in it.
  bool DetachSubsetScene(std::string subset);
  void SetVisible(std::string subset, bool visible);
  //! Rebuilds the leaders that the leader records do not have yet, from the parts of the stored
  //! scene found through the structure tree; the number of records whose part id the tree does
  //! not resolve.
  unsigned int UpdateWithCalloutInfo();
  void ShowAnnotation() override;
  void HideAnnotation() override;
  void OnSetSelected(bool selected, const du::SmartPtr<tqk::View>& view) override;

  // Saved content.

  //! Writes an element named after the class with the callout's content, once the callout has
  //! been placed, loaded or cloned from one that was; nothing before.
  void Visit(tqk::SerializedContentElement& element) const override;
  //! Writes the callout's properties, a "label" child and, unless it is a note, one "leader"
  //! child per leader record (from its leader when it has one, else from the record).
  virtual void SerializeContent(tqk::SerializedContentElement& element);
  //! Takes the content that SerializeContent wrote: the look through a definition rebuilt from
  //! it, the values, and one leader record per stored leader, from which attaching to a scene
  //! rebuilds the leaders. A callout shown in its scene is first taken out of it.
  bool InitializeFromSerializedContent(const tqk::SerializedContentElement* element) override;
  //! Rewrites the part and assembly ids stored in the "leader" elements that the map remaps.
  void FixReferences(tqk::SerializedContentElement* element,
                     const du::HashMap<du::Symbol, du::Symbol>& ids) override;

  // Edits of the markups and notifications about parts. Markup index 0 is the label, index
  // i + 1 leader i. Move steps carry the label position as stored (see SetLabelPosition) and a
  // leader's anchor end in the scene's space.

  //! The user dragged the label or a leader point: the label or the anchor moves there and, with
  //! an operation, a move step goes into it. A dropped label end of a leader springs back.
  //! Always true.
  bool MarkupUpdated(const du::SmartPtr<tqk::Markup>& changed, const du::SmartPtr<tqk::Markup>& shadow,
                     const du::SmartPtr<tqk::Operation>& operation) override;
  //! The shadow of the label's drag in progress; leaders' shadows are not handed out here.
  void GetMarkupShadow(du::SmartPtr<tqk::Markup>& shadow) const override;
  //! The stored label position with no rotation, whatever the index.
  void GetMarkupLocation(unsigned index, dg::Location& location) const override;
  //! Places the label (index 0) or the anchor end of a leader (in the scene's space).
  void SetMarkupLocation(unsigned index, const dg::Location& location) override;
  //! Shows again every leader that is both detached and hidden (only unhides it when its part
  //! is not visible), with an undo step in the operation. False for a note and outside a scene.
  bool ShowAllLeaders(const du::SmartPtr<tqk::Operation>& operation);
  //! The part moved: the anchors on it follow, and the label follows a single leader's part.
  void OnShapeInstanceLocation(const du::SmartPtr<tqk::ShapeInstance>& part);
  //! A part was created: leaders that refer to its id path are bound to it and detached, so
  //! that the next attach shows them on it.
  void OnShapeInstanceCreate(const du::SmartPtr<tqk::ShapeInstance>& part);

  // Observers of the label position.

  bool RegisterObserver(du::SmartPtr<CalloutObserver>& observer);
  //! Removes the registration that RegisterObserver made for the observer.
  bool UnregisterObserver(du::SmartPtr<CalloutObserver>& observer);

  // Leaders.

  //! A new leader to the anchor (in the part's space) with the callout's line look, from the
  //! label position to the anchor; the callout itself does not take it.
  du::SmartPtr<CalloutLeader> CreateCalloutLeader(dg::DPoint3D anchor, du::SmartPtr<tqk::ShapeInstance> part,
                                                  du::SmartPtr<tqk::BaseInstance> assembly);

  // Questions about the leaders. A note answers as a callout without leaders; an index past the
  // last leader (or record) gives false or an empty answer and leaves outputs as they were.

  //! The number of leader records (records true) or of leader markups (records false); a
  //! loaded callout has records before its leaders are rebuilt in a scene.
  unsigned int GetLeaderLineCount(bool records);
  bool IsHiddenAtPos(unsigned int index);
  //! The anchor of the leader at index, in its part's space.
  bool GetAnchorAtPos(unsigned int index, dg::DPoint3D& anchor);
  //! Whether some leader is shown in a scene.
  bool HasVisibleLeader();
  //! The placement of the part of the leader at index; false also for a leader without a part.
  bool GetInstanceLocationAtPos(dg::Location& location, unsigned int index);
  du::SmartPtr<tqk::ShapeInstance> GetShapeInstanceAtPos(unsigned int index);
  du::SmartPtr<tqk::BaseInstance> GetAssemblyInstanceAtPos(unsigned int index);
  //! The part id of leader 0.
  std::string GetInstanceId() const;
  //! The part id of the leader record at index.
  std::string GetShapeInstanceIdAtPos(unsigned int index);
  void GetLeaderInfoAtPos(unsigned int index, std::string& partId, std::string& assemblyId,
                          dg::DPoint3D& anchor, bool& attached);
  //! Where the label markup is drawn, in the scene's space; position stays as it was without one.
  void GetMarkupLabelPosition(dg::DPoint3D& position);

  // Leaders ending at a frameless label's text.

  //! Moves the label end of every leader to where it enters the text box (in the label's 2-D
  //! space), as seen through the camera of the scene's first view. Only for a frameless label
  //! of a callout with leaders in a shape view.
  void ShortenLeaders(dg::FBox2D& box);
  //! Where the leader at index would end at the text box; point stays as it was when there is no
  //! such leader or crossing.
  void CalcShortenLeaderAt(dg::FBox2D& box, dg::DPoint3D& point, unsigned int index);

protected:
  //! Takes a first or replacing definition: a new look, a new label markup, no leaders or
  //! records, the label at the origin, and the kind from whether the template has leaders.
  void _Initialize(const du::SmartPtr<TAnnotation>& definition);
  //! Adds the leader and a record of it; ignored for a note.
  void AppendLeader(du::SmartPtr<CalloutLeader> leader);

private:
  friend class CalloutLeaderOperationStep; // puts leaders back in and out of the scene
  // Builds itself from member callouts: sets the kind and the initialized flag, and lends its
  // scene to its members.
  friend class CombinedCallout;

  //! SerializeContent, which the host's saving reaches through const operations; a derived
  //! class's content is the one written.
  void WriteContent(tqk::SerializedContentElement& element) const;
  void SerializeLabel(tqk::SerializedContentElement& element) const;
  void SerializeLeaders(tqk::SerializedContentElement& element) const;
  void PostPositionSet();
  //! Stores the label position, given in the space of the part with that placement, and draws
  //! the label and every leader's label end at it in the scene.
  void PlaceLabel(const dg::DPoint3D& position, const dg::Location& placement);
  //! The part of MarkupUpdated for a dragged leader: only a dropped anchor end moves.
  void LeaderUpdated(unsigned index, const du::SmartPtr<tqk::Markup>& shadow,
                     const du::SmartPtr<tqk::Operation>& operation);
  //! Takes the label and the leaders shown in the stored scene out of it, keeping the scene.
  void TakeMarkupsOutOfScene();
  void LeadersDetachScene(std::string subset);
  bool HasRecordWithoutLeader() const;
  //! A leader rebuilt from the record, or null when its part is not shown; unresolved counts a
  //! part id that the structure tree does not know.
  du::SmartPtr<CalloutLeader> RebuildLeader(const CalloutLeaderInfo& record, const tqk::ShapeScene& scene,
                                            const tqk::illustration::SbomTree& tree,
                                            unsigned int& unresolved);
  //! The placement that carries the label position into the scene: that of leader 0's part or,
  //! while leader 0 of a loaded callout cannot be rebuilt, that of the part its record names in
  //! the scene. False when there is neither.
  bool GetLabelPlacement(dg::Location& placement);
  du::SmartPtr<tqmk::CalloutLabel> CreateLabelMarkup(const du::Symbol& text);
  void _SetShape();
  //! Where the segment (in the label's 2-D space) enters the box; see ShortenLeaders.
  bool IntersectLeader(const dg::FBox2D& box, const dg::Segment<float, 2>& segment, float unused,
                       dg::FPoint2D& hit, float& t);
  //! The label end of the leader clipped at the box; false when there is no crossing.
  bool ClippedLabelEnd(const CalloutLeader& leader, const dg::FBox2D& box, const dg::DPoint3D& labelInWorld,
                       const dg::DMat44& camera, dg::DPoint3D& clipped);
  //! The box in the world's 2-D view space and the label position in the world, or false when
  //! leaders are not clipped now.
  bool PrepareClipping(dg::FBox2D& box, dg::DPoint3D& labelInWorld, dg::DMat44& camera);
  //! The leader at index, or null for a note or an index past the last leader.
  CalloutLeader* LeaderAt(unsigned int index) const;
  //! Takes the look of the definition where it differs from the previous one (all of it
  //! without a previous one).
  void ApplyDefinitionLook(const TAnnotation* previous);

  std::atomic<CALLOUT_TYPE> m_kind{CALLOUT_LEADERS};
  du::SmartPtr<tqk::Scene> m_scene;
  std::vector<du::SmartPtr<CalloutLeader>> m_leaders;
  bool m_initialized = false;
  bool m_labelInScene = false;
  std::set<tqk::Markup*> m_subsetMarkups;
  CalloutInfo m_info;
  du::SmartPtr<tqmk::CalloutLabel> m_label;
  du::SmartPtr<TAnnotation> m_definition;
  unsigned int m_itemId = 0;
  bool m_hasItemId = false;
  bool m_dimLabel = false;
  bool m_kit = false;
  std::atomic<bool> m_visibleFromFile{true};
  float m_resolution = 96.0f;
  dg::Color m_blendColor;
  bool m_positionSet = false;
};

} // namespace tqannotations
