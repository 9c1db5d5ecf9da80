#include "support/ScratchFolder.h"
#include "tests/centerlines/PointText.h"

#include <tqannotations/AssocAnnotationSerializedContentVisitor.h>
#include <tqannotations/CenterLinesAnnotation.h>
#include <tqannotations/CenterLinesRepresentation.h>
#include <tqk/AsyncEvent.h>
#include <tqk/DocumentStore.h>
#include <tqk/Kernel.h>
#include <tqk/SerializedContentElement.h>
#include <tqk/World.h>
#include <tqk/illustration/IllustrationBuilder.h>
#include <tqk/illustration/SbomInstanceSelectionItem.h>
#include <tqk/mcad_selection.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <limits>
#include <sstream>
#include <variant>

namespace {

using tqannotations::CenterLinesAnnotation;
using tqannotations::CenterLinesInfo;

void ExpectPoint(const dg::DPoint3D& actual, const dg::DPoint3D& expected)
{
  EXPECT_EQ(actual.x, expected.x);
  EXPECT_EQ(actual.y, expected.y);
  EXPECT_EQ(actual.z, expected.z);
}

class CenterLinesContentTest : public ::testing::Test
{
protected:
  CenterLinesContentTest() { tqk::World::GetWorld()->GetPreferences()->Clear(); }
};

//! A file of its own in a scratch folder of its own, removed with the object.
class ScratchFile
{
public:
  ScratchFile() : m_folder("centerline-content-test"), m_path(m_folder.File("document.xml"))
  {
    EXPECT_TRUE(m_folder.IsMade()) << m_folder.Error();
  }

  const std::string& Path() const { return m_path; }
  std::string Text() const
  {
    std::ostringstream text;
    text << std::ifstream(m_path, std::ios::binary).rdbuf();
    return text.str();
  }
  void SetText(const std::string& text) const { std::ofstream(m_path, std::ios::binary) << text; }

private:
  tqsupport::ScratchFolder m_folder;
  std::string m_path;
};

//! A center line in the sample illustration as the example draws it, saved and loaded through the
//! document store the way the host opens and saves documents.
class CenterLineDocumentTest : public ::testing::Test
{
protected:
  CenterLineDocumentTest()
  {
    tqk::World::GetWorld()->GetPreferences()->Clear();
    builder.BuildSample();
  }
  ~CenterLineDocumentTest() override
  {
    for (const du::SmartPtr<CenterLinesAnnotation>& line : lines)
      line->DetachScene();
    tqk::Kernel::GetKernel()->PumpQueue();
    builder.TearDown();
  }

  du::SmartPtr<tqk::SelectionItem> PartItem(const char* idPath) const
  {
    du::SmartPtr<tqk::SelectionItem> item(new tqk::illustration::SbomInstanceSelectionItem(
        builder.GetTree()->FindInstance(du::Symbol(idPath))));
    item->SetContentType(tqk::mcad_selection::Instance);
    return item;
  }

  //! A new line in the scene, measured between the parts.
  du::SmartPtr<CenterLinesAnnotation> Measure(const du::SmartPtr<CenterLinesAnnotation>& line,
                                              const char* first, const char* second)
  {
    line->AttachScene(builder.GetScene());
    const du::SmartPtr<tqk::AsyncEvent> request(new tqk::AsyncEvent);
    line->SetObjects({PartItem(first), PartItem(second)}, request, true);
    tqk::Kernel::GetKernel()->PumpQueue();
    EXPECT_EQ(request->GetStatus(), tqk::BaseAsyncEvent::COMPLETED);
    return Keep(line);
  }

  du::SmartPtr<CenterLinesAnnotation> Keep(const du::SmartPtr<CenterLinesAnnotation>& line)
  {
    lines.push_back(line);
    return line;
  }

  static void Save(const CenterLinesAnnotation& line, const ScratchFile& file)
  {
    tqk::SerializedContentElement document(du::Symbol("document"));
    line.Visit(document);
    std::string error;
    EXPECT_TRUE(tqk::DocumentStore::Write(document, file.Path(), error)) << error;
  }

  //! The line the file holds, attached to the scene as the host shows a document it opened but has
  //! not measured again; loaded tells whether the load succeeded.
  du::SmartPtr<CenterLinesAnnotation> Open(const ScratchFile& file, bool& loaded)
  {
    std::string error;
    const std::unique_ptr<tqk::SerializedContentElement> document =
        tqk::DocumentStore::Read(file.Path(), error);
    EXPECT_TRUE(document) << error;
    const du::SmartPtr<CenterLinesAnnotation> line = Keep(new CenterLinesAnnotation);
    loaded = document && document->GetChildCount() == 1 &&
             line->InitializeFromSerializedContent(document->GetEntries()[0].child.get());
    line->AttachScene(builder.GetScene());
    return line;
  }

  //! Each stored pick as its content type and its fields.
  static std::vector<std::string> StoredPicks(const CenterLinesAnnotation& line)
  {
    std::vector<std::string> picks;
    for (const auto& stored : line.GetStoredSelections()) {
      std::string pick = stored->GetContentType().GetText();
      for (const du::Symbol& name : stored->GetFieldNames()) {
        std::string value;
        stored->GetField(name, value);
        pick += " " + name.GetText() + "=" + value + (stored->IsFieldPartOfIdentity(name) ? "*" : "");
      }
      picks.push_back(pick);
    }
    return picks;
  }

  tqk::illustration::IllustrationBuilder builder;
  std::vector<du::SmartPtr<CenterLinesAnnotation>> lines;
};

TEST_F(CenterLineDocumentTest, ADocumentSavedBeforeItsLinesAreMeasuredAgainKeepsTheirPicks)
{
  const ScratchFile first;
  const ScratchFile second;
  Save(*Measure(new CenterLinesAnnotation, "frame/plate", "housing/cover"), first);

  bool loaded = false;
  const du::SmartPtr<CenterLinesAnnotation> opened = Open(first, loaded);
  ASSERT_TRUE(loaded);
  const std::vector<std::string> picks = StoredPicks(*opened);
  ASSERT_EQ(picks.size(), 2u);
  EXPECT_NE(picks[0].find("frame/plate"), std::string::npos) << picks[0];
  EXPECT_NE(picks[1].find("housing/cover"), std::string::npos) << picks[1];

  Save(*opened, second);
  const du::SmartPtr<CenterLinesAnnotation> reopened = Open(second, loaded);
  EXPECT_TRUE(loaded) << "the picks survive a save before the line is measured again";
  EXPECT_EQ(StoredPicks(*reopened), picks);

  // A pick whose part is gone is dropped where it always was, when the document is opened; what
  // is left of the line's picks still survives a save.
  std::string text = second.Text();
  const std::size_t cover = text.find("housing/cover");
  ASSERT_NE(cover, std::string::npos) << text;
  first.SetText(text.replace(cover, 13, "housing/gone!"));
  const du::SmartPtr<CenterLinesAnnotation> partial = Open(first, loaded);
  ASSERT_TRUE(loaded);
  const std::vector<std::string> left = StoredPicks(*partial);
  EXPECT_EQ(left, std::vector<std::string>{picks[0]});
  Save(*partial, second);
  EXPECT_EQ(StoredPicks(*Open(second, loaded)), left);
  EXPECT_TRUE(loaded);

  // Measured again on what the host finds, the line writes its live picks.
  Measure(reopened, "frame/rib", "housing/bolt");
  Save(*reopened, second);
  const std::vector<std::string> remeasured = StoredPicks(*Open(second, loaded));
  ASSERT_EQ(remeasured.size(), 2u);
  EXPECT_NE(remeasured[0].find("frame/rib"), std::string::npos) << remeasured[0];
}

TEST_F(CenterLineDocumentTest, OnlySelectionsInTheSelectionsElementArePicks)
{
  using Reader = tqannotations::AssocAnnotation::SerializedContentVisitor;
  const auto addSelection = [](tqk::SerializedContentElement& parent, const char* name, const char* idPath) {
    tqk::SerializedContentElement& selection = parent.StartContent(du::Symbol(name));
    selection.AddProperty(Reader::CONTENT_TYPE, tqk::mcad_selection::Instance);
    selection.AddProperty(Reader::FIELD, tqk::illustration::SbomInstanceSelectionItem::ID_FIELD);
    selection.AddProperty(Reader::VALUE, du::Symbol(idPath));
    selection.AddProperty(Reader::IDENTITY, std::uint32_t(1));
    parent.EndContent();
    return std::ref(selection);
  };
  // Selections of parts that are gone, where no selection belongs: beside the selections element,
  // inside an unknown one, and inside a selection.
  tqk::SerializedContentElement document(du::Symbol("document"));
  tqk::SerializedContentElement& content = document.StartContent(du::Symbol("Centerlines"));
  tqk::SerializedContentElement& selections = content.StartContent(Reader::SLOT_SELECTIONS);
  addSelection(selections, "selection", "frame/plate");
  addSelection(selections, "selection)", "housing/gone");
  addSelection(addSelection(selections, "selection", "housing/cover"), "selection", "housing/gone");
  content.EndContent();
  addSelection(content, "selection", "housing/gone");
  addSelection(content.StartContent(du::Symbol("slotSel9ections")), "selection", "frame/gone");
  document.EndContent();
  const ScratchFile first;
  std::string error;
  ASSERT_TRUE(tqk::DocumentStore::Write(document, first.Path(), error)) << error;

  bool loaded = false;
  const std::vector<std::string> picks = StoredPicks(*Open(first, loaded));
  ASSERT_TRUE(loaded);
  ASSERT_EQ(picks.size(), 2u);
  EXPECT_NE(picks[0].find("frame/plate"), std::string::npos) << picks[0];
  EXPECT_NE(picks[1].find("housing/cover"), std::string::npos) << picks[1];
  const ScratchFile second;
  Save(*lines.back(), second);
  EXPECT_EQ(StoredPicks(*Open(second, loaded)), picks);
  EXPECT_TRUE(loaded);
}

TEST_F(CenterLineDocumentTest, EndPointsThatAreNotFiniteAreTakenFromTheNextMeasurement)
{
  const du::SmartPtr<CenterLinesAnnotation> measured =
      Measure(new CenterLinesAnnotation, "frame/plate", "housing/cover");
  std::vector<du::SmartPtr<tqannotations::CenterLinesRepresentation>> drawn;
  measured->GetRepresentations(drawn);
  ASSERT_EQ(drawn.size(), 1u);
  dg::DPoint3D expectedFirst;
  dg::DPoint3D expectedSecond;
  drawn[0]->GetPoints(expectedFirst, expectedSecond);

  // A document written elsewhere: the line's own setters take no such values.
  const auto setValue = [](std::string& text, const std::string& key, const std::string& value) {
    const std::size_t start = text.find("v=\"", text.find("k=\"" + key + "\"")) + 3;
    text.replace(start, text.find('"', start) - start, value);
  };
  const std::string nan = "nan:7ff8000000000000";
  for (const auto& ends : {std::make_pair(nan + " " + nan + " " + nan, std::string("inf -inf inf")),
                           std::make_pair(std::string("1 2 3"), "4 5 " + nan)}) {
    const ScratchFile file;
    Save(*measured, file);
    std::string text = file.Text();
    setValue(text, "point1", ends.first);
    setValue(text, "point2", ends.second);
    setValue(text, "location1", "0 -inf 0");
    setValue(text, "anchorOffset", nan + " 0 0");
    setValue(text, "strokeColor", "0.5 nan:7fc00000 0.5 1");
    for (const char* key : {"lineWidth", "dragFactor"})
      setValue(text, key, "nan:7fc00000");
    setValue(text, "lineExtent1", "inf");
    setValue(text, "lineExtent2", "-inf");
    file.SetText(text);

    bool loaded = false;
    const du::SmartPtr<CenterLinesAnnotation> opened = Open(file, loaded);
    ASSERT_TRUE(loaded);
    CenterLinesInfo kept;
    opened->GetCenterLinesInfo(kept);
    EXPECT_EQ(kept.location2.x, 40.0) << "the finite rest of the document is read";
    tqannotations::CenterStyle style;
    opened->GetLineStyle(style);
    style.lineWidth += 1.0f;
    opened->SetLineStyle(style, tqannotations::CenterStyle::LINE_WIDTH);
    EXPECT_EQ(builder.GetScene()->GetMarkups().size(), 1u)
        << "a restyle before the measurement draws nothing";
    const ScratchFile again;
    Save(*opened, again);
    EXPECT_EQ(again.Text().find("nan"), std::string::npos) << again.Text();
    EXPECT_EQ(again.Text().find("inf"), std::string::npos) << again.Text();

    Measure(opened, "frame/plate", "housing/cover");
    opened->GetRepresentations(drawn);
    ASSERT_EQ(drawn.size(), 1u);
    dg::DPoint3D first;
    dg::DPoint3D second;
    drawn[0]->GetPoints(first, second);
    ExpectPoint(first, expectedFirst);
    ExpectPoint(second, expectedSecond);
    opened->DetachScene();
  }
}

TEST_F(CenterLineDocumentTest, SettersGivenValuesThatAreNotFiniteLeaveTheLineAsItWas)
{
  using tqannotations::CenterStyle;
  const du::SmartPtr<CenterLinesAnnotation> line =
      Measure(new CenterLinesAnnotation, "frame/plate", "housing/cover");
  const auto drawn = [&] {
    for (const du::SmartPtr<tqk::Markup>& holder : builder.GetScene()->GetMarkups())
      for (const du::SmartPtr<tqk::Markup>& child : holder->GetChildren())
        if (const auto shown = du::SmartPtr<tqannotations::CenterLinesRepresentation>::DynamicCast(child))
          return shown;
    return du::SmartPtr<tqannotations::CenterLinesRepresentation>();
  };
  // What a save writes and the scene draws, once the line is drawn again.
  const auto picture = [&] {
    line->DetachScene();
    line->AttachScene(builder.GetScene());
    const ScratchFile file;
    Save(*line, file);
    std::string text = file.Text();
    for (unsigned i = 0; drawn() && i < 7; ++i)
      text += Text(drawn()->GetLeaderPoints(i));
    return text;
  };
  const double inf = std::numeric_limits<double>::infinity();
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const dg::DPoint3D notFinite(1, std::nan(""), 3);
  const dg::Location badTurn(dg::FMat33(1, 0, 0, 0, nan, 0, 0, 0, 1), dg::DPoint3D::ORIGIN);
  const dg::Location badOrigin(dg::FMat33::IDENTITY, dg::DPoint3D(0, 0, inf));
  CenterLinesInfo info;
  line->GetCenterLinesInfo(info);
  // Routed along the axes of a system turned about Z, with the ends apart in every axis.
  info.point2 = dg::DPoint3D(10, 15, 6);
  info.csys = dg::Location(dg::DPoint3D::ORIGIN, dg::Quat::FromAxisAngle(dg::DVec3(0, 0, 1), 0.5), 1.0);
  info.style.csysType = CenterStyle::CSYS_PICKED;
  info.style.alongXYZ = true;
  line->SetCenterLinesInfo(info);
  CenterStyle spoilt = info.style;
  spoilt.strokeColor = dg::Color(0.2f, nan, 0.6f, 1.0f);
  spoilt.lineWidth = 4.0f;
  spoilt.endpointOffset = notFinite;
  const std::uint16_t colourAndWidth = CenterStyle::STROKE_COLOR | CenterStyle::LINE_WIDTH;
  du::SmartPtr<tqk::SelectionItem> noItem;
  using End = CenterLinesAnnotation;
  // Each call is true when it reports that it did nothing; those that report nothing are true.
  std::vector<std::function<bool()>> setters = {
      [&] { return line->SetPoint(notFinite, 2, noItem, End::FIRST_END), true; },
      [&] {
        return line->SetPoint({inf, 0, 0}, 2, noItem, End::SECOND_END), true;
      },
      [&] { return line->SetCSys({}, CenterStyle::CSYS_PICKED, badTurn, nullptr), true; },
      [&] { return line->SetCSys({}, CenterStyle::CSYS_PICKED, badOrigin, nullptr), true; },
      [&] { return !line->SetLineStyle(spoilt, colourAndWidth); },
      [&] {
        CenterStyle synced = info.style;
        synced.Sync(spoilt, colourAndWidth);
        return synced.Compare(info.style, 0xFFF);
      },
      [&] { return drawn()->UpdateInformation(notFinite, info.point2, info.style, {}, {}), true; },
      [&] { return drawn()->UpdateInformation(info.point1, notFinite, info.style, {}, {}), true; },
      [&] { return drawn()->UpdateInformation(info.point1, info.point2, spoilt, {}, {}), true; },
      [&] { return drawn()->UpdateInformation(info.point1, info.point2, info.style, badTurn, {}), true; },
      [&] {
        return drawn()->SetJogs({dg::DPoint3D(1, 1, 1), notFinite}), true;
      }};
  for (const std::function<void(CenterLinesInfo&)>& spoil :
       std::vector<std::function<void(CenterLinesInfo&)>>{
           [&](CenterLinesInfo& bad) { bad.point1 = notFinite; },
           [&](CenterLinesInfo& bad) { bad.point2.z = inf; },
           [&](CenterLinesInfo& bad) { bad.location1.y = -inf; },
           [&](CenterLinesInfo& bad) { bad.location2 = notFinite; },
           [&](CenterLinesInfo& bad) { bad.style.strokeColor = spoilt.strokeColor; },
           [&](CenterLinesInfo& bad) { bad.style.endpointOffset = notFinite; },
           [&](CenterLinesInfo& bad) { bad.style.anchorOffset = notFinite; },
           [&](CenterLinesInfo& bad) { bad.csys = badTurn; },
           [&](CenterLinesInfo& bad) { bad.style.lineWidth = nan; },
           [&](CenterLinesInfo& bad) { bad.style.lineExtent1 = float(inf); },
           [&](CenterLinesInfo& bad) { bad.style.lineExtent2 = nan; },
           [&](CenterLinesInfo& bad) { bad.style.dragFactor = float(-inf); }})
    setters.push_back([&, spoil] {
      CenterLinesInfo bad = info;
      spoil(bad);
      line->SetCenterLinesInfo(bad);
      return !line->SetLineStyle(bad.style, 0xFFF);
    });
  const std::string before = picture();
  for (std::size_t i = 0; i < setters.size(); ++i) {
    EXPECT_TRUE(setters[i]()) << "setter " << i;
    EXPECT_EQ(picture(), before) << "setter " << i;
  }
}

TEST_F(CenterLinesContentTest, ALoadedRotationIsSavedAsItWasReadUntilTheLineTurnsOtherwise)
{
  const auto load = [](const dg::Quat& rotation) {
    tqk::SerializedContentElement root("annotation");
    root.StartContent("Centerlines").AddProperty(du::Symbol("csys"), rotation);
    const du::SmartPtr<CenterLinesAnnotation> line(new CenterLinesAnnotation);
    line->InitializeFromSerializedContent(&root);
    return line;
  };
  const auto saved = [](const CenterLinesAnnotation& line) {
    tqk::SerializedContentElement root("annotation");
    line.Visit(root);
    for (const tqk::SerializedContentElement::Entry& entry : root.GetEntries()[0].child->GetEntries())
      if (entry.key == du::Symbol("csys"))
        return std::get<dg::Quat>(entry.value);
    return dg::Quat(0, 0, 0, 0);
  };
  // Turns whose single-precision matrix gives back a rotation a little off them, and one of
  // twice the unit length.
  for (const dg::Quat& rotation :
       {dg::Quat::FromAxisAngle(dg::DVec3(0, 0, 1), 62 * M_PI / 180),
        dg::Quat(0.55055064306370083, -0.41025992494365443, 0.47720520896214236, 0.54850339283068295),
        dg::Quat(0, 0, 0.5, 1.5)}) {
    const du::SmartPtr<CenterLinesAnnotation> line = load(rotation);
    EXPECT_EQ(saved(*line), rotation);
    EXPECT_EQ(saved(*load(saved(*line))), rotation) << "and again after the next load";
    CenterLinesInfo info;
    line->GetCenterLinesInfo(info);
    line->SetCenterLinesInfo(info);
    EXPECT_EQ(saved(*line), rotation) << "the same placement handed back, as an undo does";

    const dg::Location turned(dg::DPoint3D::ORIGIN, dg::Quat::FromAxisAngle(dg::DVec3(1, 0, 0), 0.3), 1.0);
    line->SetCSys(tqannotations::CenterStyle::CSYS_ID_NONE, tqannotations::CenterStyle::CSYS_PICKED, turned,
                  nullptr);
    EXPECT_EQ(saved(*line), turned.GetQuat()) << "a line turned otherwise saves its new rotation";
  }
}

TEST_F(CenterLinesContentTest, TheLineWritesItsPropertiesAfterItsSlotsInAFixedOrder)
{
  const du::SmartPtr<CenterLinesAnnotation> line(new CenterLinesAnnotation);
  tqk::SerializedContentElement root("annotation");
  line->Visit(root);
  ASSERT_EQ(root.GetEntries().size(), 1u);
  EXPECT_EQ(root.GetEntries()[0].key, du::Symbol("Centerlines"));
  const tqk::SerializedContentElement& content = *root.GetEntries()[0].child;
  std::vector<std::string> properties;
  for (const tqk::SerializedContentElement::Entry& entry : content.GetEntries())
    if (!entry.child)
      properties.push_back(entry.key.GetText());
  const std::vector<std::string> expected = {
      "point1",       "point2",         "location1",  "location2",   "csys",        "jogsCount",
      "anchorOffset", "endpointOffset", "dragFactor", "lineExtent1", "lineExtent2", "allwaysInFront",
      "alongXYZ",     "attached",       "isHalo",     "lineWidth",   "xyzFlag",     "lineStyle",
      "arrowType",    "strokeColor",    "csysType"};
  ASSERT_GE(properties.size(), expected.size());
  EXPECT_EQ(std::vector<std::string>(properties.end() - expected.size(), properties.end()), expected)
      << "the base's properties come first, then the line's own";
  const auto jogsCount = std::find_if(content.GetEntries().begin(), content.GetEntries().end(),
                                      [](const auto& entry) { return entry.key == du::Symbol("jogsCount"); });
  ASSERT_NE(jogsCount, content.GetEntries().end());
  EXPECT_EQ(std::get<std::uint32_t>(jogsCount->value), 0u) << "no jog points, a count of 0 and no \"jogs\"";
}

TEST_F(CenterLinesContentTest, OtherColoursArePrintedAndIgnoredAndAZeroRotationReadsAsNone)
{
  tqk::SerializedContentElement root("annotation");
  tqk::SerializedContentElement& content = root.StartContent("Centerlines");
  content.AddProperty(du::Symbol("fillColor"), dg::Color::RED);
  content.AddProperty(du::Symbol("csys"), dg::Quat(0, 0, 0, 0));
  content.AddProperty(du::Symbol("jogsCount"), std::uint32_t(2));
  content.AddProperty(du::Symbol("jogs"), dg::DPoint3D(1, 1, 1));
  du::SmartPtr<CenterLinesAnnotation> line(new CenterLinesAnnotation);
  testing::internal::CaptureStdout();
  EXPECT_FALSE(line->InitializeFromSerializedContent(&root)) << "no slot selection was restored";
  EXPECT_EQ(testing::internal::GetCapturedStdout(),
            "Unhandle dg::Color fillColor --------------------------------------\n");
  CenterLinesInfo info;
  line->GetCenterLinesInfo(info);
  EXPECT_EQ(info.csys, dg::Location::IDENTITY);
  EXPECT_TRUE(info.jogs.empty()) << "jogs are not read back";
  EXPECT_EQ(info.style.strokeColor, dg::Color::YELLOW) << "the preferences' colour stands";
  EXPECT_FALSE(line->InitializeFromSerializedContent(nullptr));
}

TEST_F(CenterLinesContentTest, LoadingDropsStoredSelectionsWhosePartsAreGone)
{
  tqk::illustration::IllustrationBuilder builder;
  builder.BuildSample();
  const auto load = [&](std::vector<const char*> ids, const char* field = "sbomInstanceId") {
    using Reader = tqannotations::AssocAnnotation::SerializedContentVisitor;
    tqk::SerializedContentElement root("annotation");
    tqk::SerializedContentElement& selections =
        root.StartContent("Centerlines").StartContent(Reader::SLOT_SELECTIONS);
    for (const char* id : ids) {
      tqk::SerializedContentElement& selection = selections.StartContent(Reader::SELECTION);
      selection.AddProperty(Reader::CONTENT_TYPE, tqk::mcad_selection::Collection);
      selection.AddProperty(Reader::FIELD, du::Symbol(field));
      selection.AddProperty(Reader::VALUE, du::Symbol(id));
      selection.AddProperty(Reader::IDENTITY, std::uint32_t(1));
    }
    du::SmartPtr<CenterLinesAnnotation> line(new CenterLinesAnnotation);
    line->InitializeFromSerializedContent(&root);
    std::vector<std::string> kept;
    for (const auto& selection : line->GetStoredSelections()) {
      std::string id;
      selection->GetField(field, id);
      kept.push_back(id);
    }
    return kept;
  };
  EXPECT_EQ(load({"frame/plate", "nowhere", "housing/cover"}),
            (std::vector<std::string>{"frame/plate", "housing/cover"}));
  EXPECT_TRUE(load({"nowhere", "frame/plate"}).empty()) << "without its first item the line has nothing";
  EXPECT_TRUE(load({"housing", "frame/plate"}).empty()) << "an assembly has no shape of its own";
  EXPECT_EQ(load({"nowhere"}, "partNumber"), std::vector<std::string>{"nowhere"})
      << "only a structure instance id can name something gone";
}

} // namespace
