#include "SavedKeys.h"
#include "callouts/CalloutFixtures.h"

namespace {

using namespace callout_test;
using saved_keys::Element;
using saved_keys::Key;

// Colours a template keeps in 8 bits a channel; the blend colour is kept whole.
const std::vector<Key> kKeys{
    {"id", std::uint64_t(9001)},
    {"calloutVersion", {}, "not read: every callout this version writes has it"},
    {"itemListId", std::uint32_t(4242)},
    {"type", {}, "the kind: each saves its own, which decides what else is written"},
    {"annoVisible", false},
    {"position", dg::DPoint3D(-3.25, 18.5, 2.75)},
    {"displaytext", du::Symbol("Gear\nG-7")},
    {"halo", true},
    {"iskit", true},
    {"lineweight", 2.75f},
    {"linestipple", std::int32_t(10)},
    {"arrowstyle", std::int32_t(5)},
    {"linecolor", dg::Color(48 / 255.f, 144 / 255.f, 192 / 255.f)},
    {"fontphys", false},
    {"fontsize", 13.5f},
    {"textcolor", dg::Color(160 / 255.f, 80 / 255.f, 32 / 255.f)},
    {"textunit", {}, "always points, the unit the size is saved in"},
    {"textface", du::Symbol("Palatino")},
    {"fillcolor", dg::Color(112 / 255.f, 224 / 255.f, 176 / 255.f)},
    {"blendColor", dg::Color(0.3f, 0.7f, 0.2f, 0.6f)},
    {"dimLabel", true},
    {"shape", std::int32_t(4)},
    {"pagenum", std::int32_t(8)},
    {"defid", du::Symbol("tpl-keys")},
    {"defname", du::Symbol("Keys")},
    {"defdpi", 200.0f},
    {"canEdit", true},
    {"group", du::Symbol("Mass props")},
    {"propName", du::Symbol("Weight")},
    {"fixedText", du::Symbol("Lot ")},
    {"anchor", dg::DPoint3D(2.5, 1.25, 0.75)},
    {"shapeid", du::Symbol("housing/cover")},
    {"isasm", {}, "not read: the assembly id that follows it says as much"},
    {"asmid", du::Symbol("housing")},
    {"isdetached", true},
    {"ishidden", true},
    {"dimLeader", true},
};

const char* const kKinds[] = {"item callout", "callout", "note", "combined callout"};

//! Each kind of callout as its fixture shows it, its label showing a fixed text and a property.
struct CalloutSavedKey : CalloutWorld, ::testing::WithParamInterface<Key>
{
  du::SmartPtr<Callout> Shown(int kind)
  {
    const du::SmartPtr<Callout> callout = kind == 3   ? du::SmartPtr<Callout>(MakeCombined(0))
                                          : kind == 2 ? du::SmartPtr<Callout>(new Callout)
                                                      : MakeCallout(kind);
    if (kind == 2) {
      const du::SmartPtr<TAnnotation> note = FixtureTemplate(2);
      note->hasLeaders = false;
      callout->InitializeAsNote(note);
      callout->SetLabelPosition(dg::DPoint3D(-8, 22, 1));
      callout->AttachScene(scene);
    }
    const du::SmartPtr<TAnnotation> definition(new TAnnotation(*callout->GetDefinition()));
    TextProperties& text = definition->label->text;
    definition->label->contents = {new LabelContent("No. ", text),
                                   new LabelContent("Metadata", "Mass", text)};
    callout->UpdateDefinition(definition);
    return callout;
  }

  //! Loaded as the host loads it: hidden when it was saved hidden.
  du::SmartPtr<Callout> Loaded(int kind, const Element& root)
  {
    const du::SmartPtr<Callout> callout(kind == 3 ? new CombinedCallout : new Callout);
    EXPECT_TRUE(callout->InitializeFromSerializedContent(root.GetEntries().at(0).child.get()));
    if (!callout->VisibleFromFile())
      callout->Hide(false);
    return callout;
  }

  std::string Show(Callout& callout)
  {
    callout.AttachScene(scene);
    for (const du::SmartPtr<tqk::Markup>& markup : scene->GetMarkups()) {
      EXPECT_EQ(markup->IsVisible(), callout.IsVisible()) << "drawn as the callout is shown or hidden";
      EXPECT_EQ(markup->GetPageNum(), callout.GetPageNum()) << "drawn on the callout's page";
    }
    return Without(picture->Of(callout), {"annotation set told"});
  }
};

TEST_P(CalloutSavedKey, EveryKindReadsItBackAndKeepsThePicture)
{
  bool written = false;
  for (int kind = 0; kind < 4; ++kind) {
    SCOPED_TRACE(kKinds[kind]);
    const du::SmartPtr<Callout> built = Shown(kind);
    Element saved, given;
    built->Visit(saved);
    built->DetachScene();
    if (!saved_keys::CopyWith(saved, given, kKeys, GetParam()))
      continue;
    written = true;
    const du::SmartPtr<Callout> holding = Loaded(kind, given);
    EXPECT_EQ(SavedText(*holding), ContentText(given, 1)) << "read back";
    const std::string shown = Show(*holding);
    // Shown, a callout attaches the leaders saved detached and blends towards the view's colours.
    const auto Kept = [](const std::string& saved) { return Without(saved, {"isdetached", "blendColor"}); };
    EXPECT_EQ(Kept(SavedText(*holding)), Kept(ContentText(given, 1))) << "shown";
    Element again;
    holding->Visit(again);
    holding->DetachScene();
    const du::SmartPtr<Callout> loaded = Loaded(kind, again);
    EXPECT_TRUE(SamePicture(shown, Show(*loaded))) << "loaded again";
    loaded->DetachScene();
  }
  EXPECT_TRUE(written) << "no kind saves it";
}

INSTANTIATE_TEST_SUITE_P(EveryKey, CalloutSavedKey, ::testing::ValuesIn(saved_keys::Valued(kKeys)),
                         saved_keys::KeyName);

} // namespace
