#include "callouts/CombinedCalloutTestSupport.h"
#include "support/ScratchFolder.h"

#include <tqk/DocumentStore.h>
#include <tqk/SerializedContentElement.h>

#include <algorithm>
#include <fstream>
#include <functional>
#include <limits>
#include <sstream>

namespace {

using namespace callout_test;
using Element = tqk::SerializedContentElement;
using Members = CombinedCallout::Members;

std::vector<const Element*> Children(const Element& element)
{
  std::vector<const Element*> children;
  for (const auto& entry : element.GetEntries())
    if (entry.child)
      children.push_back(entry.child.get());
  return children;
}

std::vector<std::string> ChildNames(const Element& element)
{
  std::vector<std::string> names;
  for (const Element* child : Children(element))
    names.push_back(child->GetName().GetText());
  return names;
}

struct CombinedCalloutContent : CombinedCalloutIllustration
{
  //! The combined callout of a plate, a note and a cover, shown and saved into document.
  void SaveThree(Element& document)
  {
    saved = Shown({Placed("frame/plate", 1), Note(), Placed("housing/cover", 3)});
    saved->SetText(du::Symbol("1, 3"));
    saved->Visit(document);
    saved->DetachScene();
  }

  //! A combined callout made as the host makes one on loading, read from the saved element.
  du::SmartPtr<CombinedCallout> Load(const Element& document)
  {
    du::SmartPtr<CombinedCallout> loaded(new CombinedCallout);
    EXPECT_TRUE(loaded->InitializeFromSerializedContent(Children(document).at(0)));
    scene->GetAnnoSet()->AddAnnotation(loaded);
    return loaded;
  }

  du::SmartPtr<CombinedCallout> saved;
};

TEST_F(CombinedCalloutContent, NothingIsSavedBeforeTheCombinedCalloutIsBuilt)
{
  Element document;
  du::SmartPtr<CombinedCallout> combined(new CombinedCallout);
  combined->Visit(document);
  Members withoutDefinition{new Callout};
  combined->Initialize(withoutDefinition);
  combined->Visit(document);
  EXPECT_EQ(document.GetChildCount(), 0u);
}

TEST_F(CombinedCalloutContent, BeforeTheFirstSceneRemovingAMemberOnlyErasesIt)
{
  Element document;
  SaveThree(document);
  const du::SmartPtr<CombinedCallout> loaded = Load(document);
  const du::SmartPtr<Callout> first = loaded->GetCalloutVec()[0];
  EXPECT_EQ(loaded->RemoveItemId(1), first);
  EXPECT_EQ(loaded->GetCount(), 2u);
  EXPECT_FALSE(loaded->IsInitialized());
  EXPECT_EQ(loaded->GetLeaderLineCount(true), 1u) << "the saved leader is kept";
  loaded->AttachScene(scene);
  EXPECT_EQ(PartOfLeader(*loaded, 0), "frame/plate");
  EXPECT_EQ(PartOfLeader(*loaded->GetCalloutVec()[1], 0), "housing/cover");
}

TEST_F(CombinedCalloutContent, SceneChoicesOfALoadedCombinedCallout)
{
  du::SmartPtr<tqk::Scene> plain(new tqk::Scene);
  plain->SetAnnoSet(new tqk::AnnoSet);
  Element empty;
  du::SmartPtr<CombinedCallout> withoutMembers(new CombinedCallout);
  EXPECT_TRUE(withoutMembers->InitializeFromSerializedContent(&empty));
  EXPECT_FALSE(withoutMembers->InitializeFromSerializedContent(nullptr));
  ASSERT_EQ(withoutMembers->GetType(), Callout::CALLOUT_LEADERS) << "what an empty element loads";
  withoutMembers->AttachScene(plain);
  EXPECT_TRUE(withoutMembers->IsInitialized()) << "any scene with an annotation set finishes the load";
  EXPECT_EQ(withoutMembers->GetType(), Callout::CALLOUT_ITEM);
  EXPECT_EQ(withoutMembers->GetCount(), 0u);
  withoutMembers->DetachScene();

  Element document;
  SaveThree(document);
  const du::SmartPtr<CombinedCallout> loaded = Load(document);
  loaded->AttachScene(plain);
  EXPECT_TRUE(loaded->IsInitialized());
  EXPECT_EQ(loaded->GetCalloutVec()[0]->GetLeaderLineCount(false), 0u)
      << "members need a shape scene's parts";
  // Nothing in this scene can rebuild the leader the removed member stood on: the saved one stays.
  EXPECT_TRUE(loaded->RemoveItemId(1));
  Element again;
  loaded->Visit(again);
  ASSERT_EQ(again.GetChildCount(), 1u);
  const Element& appearance = *Children(*Children(again)[0]).at(0);
  EXPECT_EQ(ChildNames(*Children(appearance).at(0)), (std::vector<std::string>{"label", "leader"}));

  loaded->AttachScene(scene);
  EXPECT_EQ(PartOfLeader(*loaded, 0), "frame/plate");
  EXPECT_EQ(PartOfLeader(*loaded->GetCalloutVec()[1], 0), "housing/cover") << "members rebuilt now";
  plain->Close();
  plain->SetAnnoSet(nullptr);
}

TEST_F(CombinedCalloutContent, ACombinedCalloutIsRefusedAsAMemberSoNoMemberIsLostOnSave)
{
  const du::SmartPtr<CombinedCallout> inner = Shown({Placed("frame/plate", 1), Placed("frame/rib", 2)});
  du::SmartPtr<CombinedCallout> outer(new CombinedCallout);
  Members withCombined{Placed("housing/cover", 3), inner};
  outer->Initialize(withCombined);
  EXPECT_EQ(outer->GetCount(), 0u);
  EXPECT_FALSE(outer->IsInitialized());
  EXPECT_FALSE(outer->GetDefinition());
  Element document;
  outer->Visit(document);
  EXPECT_EQ(document.GetChildCount(), 0u) << "nothing was built";
  inner->Visit(document);
  ASSERT_EQ(document.GetChildCount(), 1u);
  EXPECT_EQ(ChildNames(*Children(document)[0]),
            (std::vector<std::string>{"visual_appearance", "containscallout", "containscallout"}));

  Members plain{Placed("housing/cover", 3)};
  outer->Initialize(plain);
  EXPECT_TRUE(outer->IsInitialized());
  outer->Visit(document);
  EXPECT_EQ(document.GetChildCount(), 2u);
  inner->DetachScene();
}

TEST_F(CombinedCalloutContent, IdFixUpReachesTheAppearanceAndEveryMember)
{
  Element document;
  SaveThree(document);
  du::HashMap<du::Symbol, du::Symbol> ids;
  ids[du::Symbol("frame/plate")] = du::Symbol("frame/plate-2");
  ids[du::Symbol("housing/cover")] = du::Symbol("housing/cover-2");
  Element* combined = const_cast<Element*>(Children(document)[0]);
  saved->FixReferences(combined, ids);
  const du::SmartPtr<CombinedCallout> loaded = Load(document);
  EXPECT_EQ(loaded->GetShapeInstanceIdAtPos(0), "frame/plate-2");
  EXPECT_EQ(loaded->GetCalloutVec()[0]->GetShapeInstanceIdAtPos(0), "frame/plate-2");
  EXPECT_EQ(loaded->GetCalloutVec()[2]->GetShapeInstanceIdAtPos(0), "housing/cover-2");
}

//! What the scene draws: each label's text and fill colours and place, each leader's colour and
//! points.
std::string Drawn(const tqk::Scene& scene)
{
  std::ostringstream out;
  out.precision(17);
  const auto put = [&out](const dg::Color& c) {
    out << " rgba " << c.r << ' ' << c.g << ' ' << c.b << ' ' << c.a;
  };
  for (const du::SmartPtr<tqk::Markup>& markup : scene.GetMarkups()) {
    std::vector<dg::DPoint3D> points;
    if (const auto label = du::SmartPtr<tqmk::CalloutLabel>::DynamicCast(markup)) {
      put(label->GetTextColor());
      put(label->GetFillColor());
      points = {label->GetPos()};
    } else if (const auto leader = du::SmartPtr<CalloutLeader>::DynamicCast(markup)) {
      put(leader->GetLineColor());
      points = leader->GetPoints();
    }
    for (const dg::DPoint3D& point : points)
      out << " at " << point.x << ' ' << point.y << ' ' << point.z;
    out << '\n';
  }
  return out.str();
}

// Each setter of a point, a colour or a width given NaN or infinity, and of a text given one no
// document can hold, on a callout with two leaders, a note and a combined callout: nothing drawn
// and nothing saved changes.
TEST_F(CombinedCalloutContent, SettersGivenValuesNoDocumentCanHoldChangeNothingDrawnOrSaved)
{
  const double nan = std::numeric_limits<double>::quiet_NaN(), inf = std::numeric_limits<double>::infinity();
  const float nanf = float(nan), inff = float(inf);
  const du::SmartPtr<Callout> twoLeaders = Placed("frame/plate", 1);
  twoLeaders->ConnectLeader(
      twoLeaders->CreateCalloutLeader(dg::DPoint3D(1, 2, 0), illustration.FindPart("frame/rib"), nullptr));
  const du::SmartPtr<Callout> note = Note();
  note->SetLabelPosition(dg::DPoint3D(3, 4, 5));
  const std::vector<du::SmartPtr<Callout>> callouts{
      twoLeaders, note, Shown({Placed("housing/cover", 3), Placed("housing/bolt", 4)})};
  for (const du::SmartPtr<Callout>& callout : callouts) {
    scene->GetAnnoSet()->AddAnnotation(callout);
    callout->AttachScene(scene);
    callout->SetFontColor(dg::Color(0.25f, 0.5f, 0.75f, 1));
    callout->SetBackgroundColor(dg::Color(1, 0.75f, 0.5f, 1));
    callout->SetLineColor(dg::Color(0.5f, 0.25f, 0.125f, 1));
  }
  const tqsupport::ScratchFolder scratch("combined-callout-content-test");
  const auto drawnAndSaved = [&] {
    Element document;
    for (const du::SmartPtr<Callout>& callout : callouts)
      callout->Visit(document);
    std::string error;
    if (!tqk::DocumentStore::Write(document, scratch.File("saved.xml"), error))
      return "not saved: " + error;
    std::ostringstream written;
    written << std::ifstream(scratch.File("saved.xml")).rdbuf();
    return Drawn(*scene) + written.str();
  };
  const std::string before = drawnAndSaved();
  ASSERT_GT(std::count(before.begin(), before.end(), '\n'), 9) << before;

  const auto at = [](double x, double y, double z) {
    return dg::Location(dg::FMat33::IDENTITY, dg::DPoint3D(x, y, z));
  };
  const std::vector<std::pair<const char*, std::function<void(Callout&)>>> setters{
      {"label position", [&](Callout& c) { c.SetLabelPosition(dg::DPoint3D(nan, 0, 0)); }},
      {"label position at infinity", [&](Callout& c) { c.SetLabelPosition(dg::DPoint3D(0, -inf, 0)); }},
      {"first anchor", [&](Callout& c) { c.SetAnchor(dg::DPoint3D(0, 0, inf), 0); }},
      {"second anchor", [&](Callout& c) { c.SetAnchor(dg::DPoint3D(nan, nan, nan), 1); }},
      {"text colour", [&](Callout& c) { c.SetFontColor(dg::Color(nanf, 0.5f, 0.25f, 1)); }},
      {"background colour", [&](Callout& c) { c.SetBackgroundColor(dg::Color(0.2f, inff, 0.4f, 1)); }},
      {"line colour", [&](Callout& c) { c.SetLineColor(dg::Color(0.1f, 0.2f, 0.3f, nanf)); }},
      {"font size", [&](Callout& c) { c.SetFontSize(inff); }},
      {"dimming colour", [&](Callout& c) { c.SetDimAtPos(true, 0, dg::Color(0.3f, 0.6f, nanf, 1)); }},
      {"label location", [&](Callout& c) { c.SetMarkupLocation(0, at(inf, 0, 0)); }},
      {"anchor location", [&](Callout& c) { c.SetMarkupLocation(1, at(0, nan, 0)); }},
      {"line width", [&](Callout& c) { c.SetLineWidth(nanf); }},
      {"line width at infinity", [&](Callout& c) { c.SetLineWidth(inff); }},
      {"text with U+FFFF", [&](Callout& c) { c.SetText(du::Symbol("P-100 \xef\xbf\xbf")); }},
      {"text with NUL", [&](Callout& c) { c.SetText(du::Symbol(std::string("P-\0", 3))); }},
      {"text not UTF-8", [&](Callout& c) { c.SetText(du::Symbol("P-\xc3")); }},
      {"font face with a surrogate", [&](Callout& c) { c.SetFontFace("Ari\xed\xa0\x80l"); }},
  };
  for (const auto& [what, set] : setters) {
    for (const du::SmartPtr<Callout>& callout : callouts)
      set(*callout);
    EXPECT_EQ(drawnAndSaved(), before) << what;
  }
}

} // namespace
