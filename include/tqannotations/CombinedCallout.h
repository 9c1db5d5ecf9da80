#pragma once

#include <du/SmartPtr.h>
#include <tqannotations/Callout.h>
#include <tqannotations/Export.h>

#include <vector>

namespace tqannotations {

//! One callout that stands for several member callouts: it shows one label with the look of its
//! first member and a single leader, while the members keep their own leaders, item ids and
//! content.
//!
//! The members are shared by counted reference. They are not shown themselves: the combined
//! callout lends them its scene while it is attached (so that loaded members rebuild their
//! leaders and answer for the parts they point at) and takes it back when it leaves the scene.
//!
//! Saved as a "combinedcallout" element holding the combined callout's own callout content under
//! "visual_appearance" and each member's content under "containscallout", in member order.
class TQANNOTATIONS_EXPORT CombinedCallout : public Callout
{
public:
  using Members = std::vector<du::SmartPtr<Callout>>;

  //! A combined callout without members, not initialized.
  CombinedCallout();
  //! Shares scene, label, leaders and definition with the source, as a callout copy does, and
  //! the same member callouts.
  CombinedCallout(const CombinedCallout& other);
  CombinedCallout& operator=(const CombinedCallout&) = delete;
  ~CombinedCallout() override;

  //! Takes the members (in this order) and builds the combined callout from them: the first
  //! member's definition and look, and one leader like the first leader of the first member
  //! whose first leader stands on a part, with the label at that member's label position. A
  //! first member without a definition only replaces the members. An empty list, or one that
  //! holds a combined callout (combined callouts do not nest), changes nothing: the callout
  //! stays as it was, uninitialized when it was. The text is the host's to set.
  void Initialize(Members& callouts);

  Members& GetCalloutVec() { return m_members; }
  unsigned int GetCount();

  //! Whether some member has an item id; the combined callout's own is not asked.
  bool HasItemId() const override;
  //! Whether some member has this item id.
  bool HasItemId(unsigned int id) override;
  //! Removes the first member with the item id and returns it; null, removing nothing, when
  //! fewer than two members are left or none has the id. When that member stands on the part
  //! the combined leader points at, the combined callout is built again from the remaining
  //! members and shown again in its scene. A loaded combined callout that was not attached yet
  //! only loses the member.
  du::SmartPtr<Callout> RemoveItemId(unsigned int id);

  //! Shows the combined callout in the scene (an empty scene reference detaches). False, the
  //! scene kept, when the scene has no annotation set. The members get the scene without being
  //! shown, unless they have one of their own; in a shape scene, the first attach after loading
  //! rebuilds their leaders from their records and marks the combined callout initialized.
  bool AttachScene(const du::SmartPtr<tqk::Scene>& scene) override;
  //! Takes the label and the leader out of the scene and takes the lent scene back from the
  //! members.
  bool DetachScene() override;

  //! Writes a "combinedcallout" child of the parent: the combined callout's own callout element
  //! under "visual_appearance", then each member's content under "containscallout". Nothing
  //! before the combined callout was built or loaded.
  void Visit(tqk::SerializedContentElement& parent) const override;
  //! Reads what Visit wrote into the "combinedcallout" element: its own content and one new
  //! member per "containscallout" child, in stored order. The members' leaders are rebuilt, and
  //! the combined callout initialized, when it is first attached to a shape scene. False only
  //! for a null element.
  bool InitializeFromSerializedContent(const tqk::SerializedContentElement* element) override;

  //! The members' associated objects, in member order.
  std::vector<du::SmartPtr<tqk::Object>> GetAssociatedObjects() const override;
  //! A new combined callout with this one's values (as a callout clone has them) and a clone of
  //! each member; its leaders and its members' leaders are rebuilt when it is first attached.
  du::SmartPtr<tqk::Annotation> Clone() const override;

private:
  //! A combined callout with the values of a plain clone of one, and a label of its own.
  explicit CombinedCallout(const Callout& plainClone);

  //! Builds the combined callout from its members: with copyLook the first member's definition
  //! and look (nothing at all happens when it has none), then the kind of an item callout, with
  //! makeLeaders the one leader, and the initialized flag.
  void _Initialize(bool copyLook, bool makeLeaders);
  //! Takes the definition and look of the member; false when it has no definition.
  bool CopyLook(const du::SmartPtr<Callout>& first);
  //! Gives the combined callout a leader like the first leader of the first member whose first
  //! leader stands on a part, and places the label at that member's label position.
  void MakeLeader(const Members& members);
  //! Whether the member has leader records whose leaders are not rebuilt yet (a note has none).
  static bool AwaitsRebuild(const du::SmartPtr<Callout>& member);
  //! The member list as it is now; the list itself may change while the copy is walked.
  Members CurrentMembers() const;
  //! Lends the scene to the members that have none, and rebuilds the leaders of those that hold
  //! it and have leader records without leaders.
  void LendScene(const du::SmartPtr<tqk::ShapeScene>& scene, const Members& members);
  //! Takes the scene back from the members that hold it only because it was lent to them.
  void TakeBackScene(const du::SmartPtr<tqk::Scene>& scene, const Members& members);

  Members m_members;
};

} // namespace tqannotations
