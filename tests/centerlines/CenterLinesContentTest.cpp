#include "support/ScratchFolder.h"

#include <tqannotations/AssocAnnotationSerializedContentVisitor.h>
#include <tqannotations/CenterLinesAnnotation.h>
#include <tqk/DocumentStore.h>
#include <tqk/ObjectSelectionItem.h>
#include <tqk/SerializedContentElement.h>
#include <tqk/World.h>
#include <tqk/illustration/IllustrationBuilder.h>
#include <tqk/mcad_selection.h>

#include <gtest/gtest.h>

#include <algorithm>
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

  //! Saves the line to a file and loads it into a new line; false when the load fails.
  bool SaveAndLoad(const du::SmartPtr<CenterLinesAnnotation>& line,
                   du::SmartPtr<CenterLinesAnnotation>& loaded)
  {
    tqk::SerializedContentElement root("annotation");
    line->Visit(root);
    const tqsupport::ScratchFolder scratch("centerline-content-test");
    const std::string path = scratch.File("centerline-content.xml");
    std::string error;
    EXPECT_TRUE(tqk::DocumentStore::Write(root, path, error)) << error;
    const std::unique_ptr<tqk::SerializedContentElement> read = tqk::DocumentStore::Read(path, error);
    EXPECT_TRUE(read) << error;
    loaded = new CenterLinesAnnotation;
    return read && loaded->InitializeFromSerializedContent(read.get());
  }
};

TEST_F(CenterLinesContentTest, ALineReadBackFromTheStoreHasTheSnapshotItWasSavedWith)
{
  CenterLinesInfo info;
  info.representationCount = 1;
  info.point1 = dg::DPoint3D(1, 2, 3);
  info.point2 = dg::DPoint3D(4, 5, 6);
  info.location1 = dg::DPoint3D(7, 8, 9);
  info.location2 = dg::DPoint3D(-1, -2, -3);
  info.csys = dg::Location(dg::DPoint3D(50, 50, 50), dg::Quat::FromAxisAngle(dg::DVec3(0, 0, 1), 0.5), 2.0);
  info.style.strokeColor = dg::Color(0.25f, 0.5f, 0.75f, 1.0f);
  info.style.lineWidth = 2.5f;
  info.style.lineStyle = 6;
  info.style.arrowType = 8;
  info.style.csysType = tqannotations::CenterStyle::CSYS_PICKED;
  info.style.xyzFlag = 6;
  info.style.MapXYZOrder();
  info.style.dragFactor = 0.2f;
  info.style.lineExtent1 = 1.5f;
  info.style.lineExtent2 = 0.5f;
  info.style.allwaysInFront = true;
  info.style.alongXYZ = true;
  info.style.attached = false;
  info.style.isHalo = true;
  info.style.anchorOffset = dg::DPoint3D(0.5, 0, 0);
  info.style.endpointOffset = dg::DPoint3D(0, 0.5, 0);
  du::SmartPtr<CenterLinesAnnotation> line(new CenterLinesAnnotation(info));
  du::SmartPtr<tqk::ObjectSelectionItem> item(new tqk::ObjectSelectionItem(nullptr));
  item->SetContentType(tqk::mcad_selection::Instance);
  line->SetObjects({item}, nullptr, false);

  du::SmartPtr<CenterLinesAnnotation> loaded;
  ASSERT_TRUE(SaveAndLoad(line, loaded)) << "the slot selection came back";
  EXPECT_TRUE(loaded->CreatedFromFile());
  CenterLinesInfo before;
  CenterLinesInfo after;
  line->GetCenterLinesInfo(before);
  loaded->GetCenterLinesInfo(after);
  ExpectPoint(after.point1, before.point1);
  ExpectPoint(after.point2, before.point2);
  ExpectPoint(after.location1, before.location1);
  ExpectPoint(after.location2, before.location2);
  EXPECT_TRUE(after.style == before.style);
  EXPECT_TRUE(after.style.Compare(before.style, 0xFFF)) << "every group, extents exactly";
  EXPECT_EQ(after.style.dragFactor, before.style.dragFactor);
  ExpectPoint(after.style.anchorOffset, before.style.anchorOffset);
  ExpectPoint(after.style.endpointOffset, before.style.endpointOffset);
  EXPECT_EQ(after.style.xyzOrder[0], 1);
  // The coordinate system keeps its rotation; its origin and scale are not stored.
  EXPECT_EQ(after.csys.GetQuat(), before.csys.GetQuat());
  ExpectPoint(after.csys.GetPosition(), dg::DPoint3D::ORIGIN);
  EXPECT_NEAR(after.csys.GetScale(), 1.0, 1e-6);
  EXPECT_EQ(loaded->GetStoredSelections().size(), 1u);
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
