#include "callouts/CalloutTestSupport.h"
#include "support/ScratchFolder.h"

#include <tqk/DocumentStore.h>
#include <tqk/SerializedContentElement.h>
#include <tqk/illustration/IllustrationBuilder.h>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <limits>
#include <sstream>

namespace {

using namespace callout_test;
using Element = tqk::SerializedContentElement;

std::vector<std::string> PropertyKeys(const Element& element)
{
  std::vector<std::string> keys;
  for (const auto& entry : element.GetEntries())
    if (!entry.child)
      keys.push_back(entry.key.GetText());
  return keys;
}

std::vector<const Element*> Children(const Element& element, const char* name)
{
  std::vector<const Element*> children;
  for (const auto& entry : element.GetEntries())
    if (entry.child && entry.child->GetName() == du::Symbol(name))
      children.push_back(entry.child.get());
  return children;
}

template <class T>
T Property(const Element& element, const char* key)
{
  for (const auto& entry : element.GetEntries())
    if (!entry.child && entry.key == du::Symbol(key))
      return std::get<T>(entry.value);
  ADD_FAILURE() << "no property " << key;
  return T();
}

std::string FileText(const std::string& path)
{
  std::ifstream file(path, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

bool IsFinite(const dg::DPoint3D& point)
{
  return std::isfinite(point.x) && std::isfinite(point.y) && std::isfinite(point.z);
}

bool HasProperty(const Element& element, const char* key)
{
  for (const auto& entry : element.GetEntries())
    if (!entry.child && entry.key == du::Symbol(key))
      return true;
  return false;
}

//! A template with a label of mixed content: fixed text, a property, an empty fixed text, and
//! an item whose kind flag is neither fixed text nor property.
du::SmartPtr<TAnnotation> ContentTemplate()
{
  du::SmartPtr<TAnnotation> definition = Template();
  definition->id = "part-callout";
  definition->name = "Part callout";
  definition->label->canEdit = true;
  TextProperties text;
  definition->label->contents.push_back(new LabelContent("No. ", text));
  definition->label->contents.push_back(new LabelContent("Metadata", "PartNumber", text));
  definition->label->contents.push_back(new LabelContent("", text));
  du::SmartPtr<LabelContent> unknown(new LabelContent("Metadata", "Mass", text));
  unknown->isProperty = 2;
  definition->label->contents.push_back(unknown);
  return definition;
}

struct Content : ::testing::Test
{
  void SetUp() override { illustration.BuildSample(); }
  void TearDown() override
  {
    for (const auto& callout : callouts)
      callout->DetachScene();
    illustration.TearDown();
  }
  du::SmartPtr<TestCallout> Track(const du::SmartPtr<TestCallout>& callout)
  {
    callouts.push_back(callout);
    return callout;
  }
  //! A callout with every value off its default, placed on "frame/plate" with a second leader
  //! on "housing/cover" picked in its assembly.
  du::SmartPtr<TestCallout> RichCallout()
  {
    const auto callout = Track(new TestCallout);
    callout->Initialize(ContentTemplate(), illustration.FindPart("frame/plate"), false, nullptr);
    callout->AddLeader(illustration.FindPart("housing/cover"), dg::DPoint3D(1, 2, 0),
                       illustration.GetTree()->FindInstance(du::Symbol("housing")));
    callout->SetText(du::Symbol("Plate\nP-100"));
    callout->SetItemId(42);
    callout->SetAsKit(true);
    callout->SetHalo(true);
    callout->SetLineWidth(2.5f);
    callout->SetLineStipple(4);
    callout->SetArrowStyle(6);
    // Saved colours are kept in 8 bits a channel, as templates keep them.
    dg::Color lineColor(0, 0, 0, 1);
    lineColor.Set(0x0080FFu);
    callout->SetLineColor(lineColor);
    callout->SetFontSize(12.0f);
    callout->SetFontColor(dg::Color(1, 0, 0, 1));
    callout->SetBackgroundColor(dg::Color(1, 1, 0, 1));
    callout->SetFontFace("Courier New");
    callout->SetShape(tqmu::ModelNote::HEXAGON);
    return callout;
  }

  tqk::illustration::IllustrationBuilder illustration;
  std::vector<du::SmartPtr<TestCallout>> callouts;
};

TEST_F(Content, WritesThePropertiesInOrderThenLabelThenLeaders)
{
  const auto callout = RichCallout();
  Element saved;
  callout->SerializeContent(saved);
  EXPECT_EQ(PropertyKeys(saved),
            (std::vector<std::string>{
                "id",          "calloutVersion", "itemListId", "type",       "annoVisible", "position",
                "displaytext", "halo",           "iskit",      "lineweight", "linestipple", "arrowstyle",
                "linecolor",   "fontphys",       "fontsize",   "textcolor",  "textunit",    "textface",
                "fillcolor",   "blendColor",     "dimLabel",   "shape",      "pagenum",     "defid",
                "defname",     "defdpi"}));
  EXPECT_EQ(saved.GetEntries()[26].key, du::Symbol("label"));
  EXPECT_EQ(Property<std::int32_t>(saved, "type"), 0);
  EXPECT_EQ(Property<std::uint32_t>(saved, "itemListId"), 42u);
  EXPECT_EQ(Property<du::Symbol>(saved, "defid"), du::Symbol("part-callout"));

  const Element& label = *Children(saved, "label").at(0);
  EXPECT_TRUE(Property<bool>(label, "canEdit"));
  ASSERT_EQ(label.GetChildCount(), 2u) << "neither an empty fixed text nor an unknown kind of item";
  EXPECT_EQ(Property<du::Symbol>(*Children(label, "fixed").at(0), "fixedText"), du::Symbol("No. "));
  const Element& property = *Children(label, "useProperty").at(0);
  EXPECT_EQ(PropertyKeys(property), (std::vector<std::string>{"group", "propName"}));

  const auto leaders = Children(saved, "leader");
  ASSERT_EQ(leaders.size(), 2u);
  EXPECT_EQ(PropertyKeys(*leaders[0]),
            (std::vector<std::string>{"anchor", "shapeid", "isasm", "isdetached", "ishidden", "dimLeader"}));
  EXPECT_FALSE(Property<bool>(*leaders[0], "isasm"));
  EXPECT_EQ(Property<du::Symbol>(*leaders[1], "asmid"), du::Symbol("housing"));
  EXPECT_EQ(Property<du::Symbol>(*leaders[1], "shapeid"), du::Symbol("housing/cover"));
}

TEST_F(Content, VisitWritesEveryPlacedCalloutAndNothingElse)
{
  Element document;
  const auto fresh = Track(new TestCallout);
  fresh->Visit(document);
  EXPECT_EQ(document.GetChildCount(), 0u) << "never placed nor loaded";

  const auto placed = RichCallout();
  placed->Visit(document);
  ASSERT_EQ(document.GetChildCount(), 1u) << "written although it was never shown";
  EXPECT_EQ(document.GetEntries()[0].child->GetName(), Callout::GetClassStatic());
  const auto clone = placed->Clone();
  clone->Visit(document);
  ASSERT_EQ(document.GetChildCount(), 2u) << "a clone of a placed callout is written too";
  EXPECT_EQ(Children(*document.GetEntries()[1].child, "leader").size(), 2u);
}

TEST_F(Content, TheFontSizeSurvivesSavingAndLoadingWhateverTheTextUnit)
{
  CalloutInfo info;
  info.textUnit = 0; // millimetres, with a size the host did not mark as valid
  info.validFields = CalloutInfo::TEXT_COLOR_VALID | CalloutInfo::FILL_COLOR_VALID;
  const auto callout = Track(new TestCallout(info));
  callout->Initialize(Template(), illustration.FindPart("frame/plate"), false, nullptr);
  callout->SetFontSize(10.0f);
  du::SmartPtr<TestCallout> current = callout;
  for (int round = 1; round <= 2; ++round) {
    Element document;
    current->Visit(document);
    ASSERT_EQ(document.GetChildCount(), 1u);
    current = Track(new TestCallout);
    current->InitializeFromSerializedContent(document.GetEntries()[0].child.get());
    current->AttachScene(illustration.GetScene());
    EXPECT_FLOAT_EQ(current->GetFontSize(), 10.0f) << "after save and load " << round;
    EXPECT_FLOAT_EQ(LabelIn(*illustration.GetScene())->GetFontSize(), 10.0f) << "drawn, round " << round;
    current->DetachScene();
  }
}

TEST_F(Content, ANoteWritesNoLeadersAndIsPlacedWhenLoaded)
{
  const auto note = Track(new TestCallout);
  note->InitializeAsNote(Template(false));
  note->SetLabelPosition(dg::DPoint3D(7, 8, 9));
  Element saved;
  note->SerializeContent(saved);
  EXPECT_TRUE(Children(saved, "leader").empty());

  const auto loaded = Track(new TestCallout);
  ASSERT_TRUE(loaded->InitializeFromSerializedContent(&saved));
  EXPECT_EQ(loaded->GetType(), Callout::CALLOUT_NOTE);
  dg::DPoint3D label;
  loaded->GetMarkupLabelPosition(label);
  EXPECT_EQ(label.y, 8.0);
}

TEST_F(Content, AnItemIdMakesTheLoadedCalloutAnItemCallout)
{
  Element saved;
  const auto callout = RichCallout();
  callout->SerializeContent(saved);
  const auto loaded = Track(new TestCallout);
  loaded->InitializeFromSerializedContent(&saved);
  EXPECT_EQ(loaded->GetType(), Callout::CALLOUT_ITEM);
  EXPECT_TRUE(loaded->HasItemId(42));

  callout->RemoveItemId();
  Element without;
  callout->SerializeContent(without);
  EXPECT_FALSE(HasProperty(without, "itemListId"));
}

TEST_F(Content, ACalloutWithoutDefinitionWritesAnEmptyLabel)
{
  CalloutInfo info;
  const auto bare = Track(new TestCallout(info));
  Element saved;
  bare->SerializeContent(saved);
  EXPECT_FALSE(HasProperty(saved, "defid"));
  EXPECT_FALSE(HasProperty(saved, "defname"));
  EXPECT_EQ(Children(saved, "label").at(0)->GetEntries().size(), 0u);
  const auto loaded = Track(new TestCallout);
  loaded->InitializeFromSerializedContent(&saved);
  ASSERT_TRUE(loaded->GetDefinition());
  EXPECT_EQ(loaded->GetDefinition()->id, "");
  EXPECT_EQ(loaded->GetDefinition()->name, "");
}

TEST_F(Content, AnEmptyElementLoadsDefinedValues)
{
  const Element empty;
  const auto loaded = Track(new TestCallout);
  ASSERT_TRUE(loaded->InitializeFromSerializedContent(&empty));
  EXPECT_FALSE(loaded->InitializeFromSerializedContent(nullptr));
  EXPECT_TRUE(loaded->IsInitialized());
  EXPECT_EQ(loaded->GetType(), Callout::CALLOUT_LEADERS);
  EXPECT_EQ(loaded->GetText(), " ");
  EXPECT_EQ(loaded->GetPosition().x, 0.0);
  EXPECT_EQ(loaded->GetPageNum(), 0);
  EXPECT_TRUE(loaded->GetFontPhys());
  EXPECT_EQ(loaded->GetLineStipple(), 0);
  EXPECT_TRUE(loaded->VisibleFromFile());
  EXPECT_TRUE(loaded->CreatedFromFile());
  EXPECT_EQ(loaded->GetLeaderLineCount(true), 0u);
}

TEST_F(Content, AnUnknownKindIsKeptAsStored)
{
  Element saved;
  saved.AddProperty(du::Symbol("type"), std::int32_t(7));
  const auto loaded = Track(new TestCallout);
  loaded->InitializeFromSerializedContent(&saved);
  EXPECT_EQ(int(loaded->GetType()), 7);
  EXPECT_EQ(loaded->GetShortObjectDescription(), "Item Callout");
  Element again;
  loaded->SerializeContent(again);
  EXPECT_EQ(Property<std::int32_t>(again, "type"), 7);
}

//! The leader markups shown in the illustration's scene, in scene order.
std::vector<du::SmartPtr<CalloutLeader>> ShownLeaders(const tqk::Scene& scene)
{
  std::vector<du::SmartPtr<CalloutLeader>> leaders;
  for (const auto& markup : scene.GetMarkups())
    if (const auto leader = du::SmartPtr<CalloutLeader>::DynamicCast(markup))
      leaders.push_back(leader);
  return leaders;
}

TEST_F(Content, ACopyIsSavedWithItsTemplateAndItsMovedSecondAnchor)
{
  const auto callout = Track(new TestCallout);
  callout->Initialize(ContentTemplate(), illustration.FindPart("frame/plate"), false, nullptr);
  callout->AddLeader(illustration.FindPart("housing/cover"), dg::DPoint3D(1, 2, 0));
  callout->SetAnchor(dg::DPoint3D(3, 4, 0), 1);
  const auto copy = du::SmartPtr<Callout>::DynamicCast(callout->Clone());
  Element saved;
  copy->SerializeContent(saved);
  EXPECT_EQ(Property<du::Symbol>(saved, "defid"), du::Symbol("part-callout"));
  EXPECT_EQ(Children(*Children(saved, "label").at(0), "fixed").size(), 1u) << "the label's fixed text";
  const auto leaders = Children(saved, "leader");
  ASSERT_EQ(leaders.size(), 2u);
  EXPECT_EQ(Property<dg::DPoint3D>(*leaders[0], "anchor").x, 5.0) << "the first leader stays";
  EXPECT_EQ(Property<dg::DPoint3D>(*leaders[1], "anchor").x, 3.0);
  EXPECT_EQ(Property<dg::DPoint3D>(*leaders[1], "anchor").y, 4.0);

  copy->AttachScene(illustration.GetScene());
  const auto shown = ShownLeaders(*illustration.GetScene());
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(shown[0]->GetPoints().at(1).x, 5.0);
  EXPECT_EQ(shown[1]->GetPoints().at(1).x, 43.0) << "the cover is placed at x = 40";
  copy->DetachScene();
}

TEST_F(Content, LoadingAShownCalloutTakesItsMarkupsOutOfTheScene)
{
  const auto callout = RichCallout();
  callout->AttachScene(illustration.GetScene());
  ASSERT_EQ(illustration.GetScene()->GetMarkups().size(), 3u);
  Element saved;
  callout->SerializeContent(saved);
  callout->InitializeFromSerializedContent(&saved);
  EXPECT_TRUE(illustration.GetScene()->GetMarkups().empty());
  callout->AttachScene(illustration.GetScene());
  EXPECT_EQ(illustration.GetScene()->GetMarkups().size(), 3u) << "shown again from its records";
}

TEST_F(Content, FixReferencesRewritesOnlyLeaderPartIds)
{
  const auto callout = RichCallout();
  Element document;
  callout->Visit(document);
  Element& saved = *document.GetEntries()[0].child;
  du::HashMap<du::Symbol, du::Symbol> ids;
  ids[du::Symbol("frame/plate")] = du::Symbol("frame/plate-2");
  ids[du::Symbol("Plate\nP-100")] = du::Symbol("changed text");
  ids[du::Symbol("part-callout")] = du::Symbol("changed id");
  callout->FixReferences(&saved, ids);
  const auto leaders = Children(saved, "leader");
  EXPECT_EQ(Property<du::Symbol>(*leaders[0], "shapeid"), du::Symbol("frame/plate-2"));
  EXPECT_EQ(Property<du::Symbol>(*leaders[1], "shapeid"), du::Symbol("housing/cover"));
  EXPECT_EQ(Property<du::Symbol>(*leaders[1], "asmid"), du::Symbol("housing")) << "not in the map";
  EXPECT_EQ(Property<du::Symbol>(saved, "displaytext"), du::Symbol("Plate\nP-100"));
  EXPECT_EQ(Property<du::Symbol>(saved, "defid"), du::Symbol("part-callout"));

  ids.clear();
  ids[du::Symbol("housing")] = du::Symbol("housing-2");
  callout->FixReferences(&saved, ids);
  EXPECT_EQ(Property<du::Symbol>(*leaders[1], "asmid"), du::Symbol("housing-2"));
  callout->FixReferences(nullptr, ids);
}

TEST_F(Content, NumbersThatAreNotFiniteAreTakenAsAbsent)
{
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  // A note placed at (nan, nan, nan), and a callout whose leader ends at (inf, 0, -inf), whose
  // look has a font size, a line width and a dimming colour that are not finite.
  Element hostile;
  Element& note = hostile.StartContent(Callout::GetClassStatic());
  note.AddProperty(du::Symbol("type"), std::int32_t(Callout::CALLOUT_NOTE));
  note.AddProperty(du::Symbol("position"), dg::DPoint3D(nan, nan, nan));
  hostile.EndContent();
  Element& leadered = hostile.StartContent(Callout::GetClassStatic());
  leadered.AddProperty(du::Symbol("type"), std::int32_t(Callout::CALLOUT_LEADERS));
  leadered.AddProperty(du::Symbol("position"), dg::DPoint3D(1, nan, 1));
  leadered.AddProperty(du::Symbol("fontsize"), float(nan));
  leadered.AddProperty(du::Symbol("lineweight"), float(inf));
  leadered.AddProperty(du::Symbol("blendColor"), dg::Color(1, float(nan), 1, 1));
  Element& leader = leadered.StartContent(du::Symbol("leader"));
  leader.AddProperty(du::Symbol("anchor"), dg::DPoint3D(inf, 0, -inf));
  leader.AddProperty(du::Symbol("shapeid"), du::Symbol("frame/plate"));
  leadered.EndContent();
  hostile.EndContent();
  const tqsupport::ScratchFolder scratch("callout-content-test");
  ASSERT_TRUE(scratch.IsMade()) << scratch.Error();
  const std::string path = scratch.File("hostile.xml");
  std::string error;
  ASSERT_TRUE(tqk::DocumentStore::Write(hostile, path, error)) << error;
  const std::unique_ptr<Element> read = tqk::DocumentStore::Read(path, error);
  ASSERT_TRUE(read) << error;
  ASSERT_EQ(read->GetChildCount(), 2u);

  Element again;
  std::vector<std::pair<float, float>> looks;
  for (const auto& entry : read->GetEntries()) {
    const auto loaded = Track(new TestCallout);
    ASSERT_TRUE(loaded->InitializeFromSerializedContent(entry.child.get()));
    EXPECT_EQ(loaded->GetPosition().x, 0.0) << "the label keeps its start position";
    looks.emplace_back(loaded->GetFontSize(), loaded->GetLineWidth());
    loaded->Visit(again); // saved before it is shown, which sets the dimming colour anew
    loaded->AttachScene(illustration.GetScene());
    dg::DPoint3D label;
    loaded->GetMarkupLabelPosition(label);
    EXPECT_TRUE(IsFinite(label));
    loaded->Visit(again);
  }
  std::size_t leaders = 0;
  for (const auto& markup : illustration.GetScene()->GetMarkups())
    if (const auto drawn = du::SmartPtr<CalloutLeader>::DynamicCast(markup)) {
      ++leaders;
      for (const dg::DPoint3D& point : drawn->GetPoints())
        EXPECT_TRUE(IsFinite(point));
    }
  EXPECT_EQ(leaders, 1u);
  EXPECT_EQ(looks[1], looks[0]) << "as the note that has none";
  ASSERT_TRUE(tqk::DocumentStore::Write(again, path, error)) << error;
  const std::string saved = FileText(path);
  EXPECT_EQ(saved.find("nan"), std::string::npos) << "nothing that is not finite is saved again";
  EXPECT_EQ(saved.find("inf"), std::string::npos) << saved;
}

} // namespace
