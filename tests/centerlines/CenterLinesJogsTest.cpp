#include "tests/centerlines/MeasuredLine.h"
#include "tests/centerlines/PointText.h"

#include <tqannotations/MarkupDrag.h>
#include <tqk/Operation.h>
#include <tqk/SerializedContentElement.h>
#include <tqk/UndoHistory.h>

#include <gtest/gtest.h>

#include <string>
#include <variant>
#include <vector>

namespace {

using tqannotations::CenterLinesAnnotation;
using tqannotations::CenterStyle;

//! A new line routed along the world axes in the axis order of the preferences ("1" X, Y, Z;
//! "2" Z, Y, X), with extensions of 2 at both ends.
du::SmartPtr<CenterLinesAnnotation> RoutedLine(const char* axisOrder)
{
  const du::SmartPtr<tqk::Preferences> preferences = tqk::World::GetWorld()->GetPreferences();
  preferences->Clear();
  preferences->SetFloat("Annotations/Centerline/extent_start_spin", 2.0f);
  preferences->SetFloat("Annotations/Centerline/extent_end_spin", 2.0f);
  preferences->SetString("Annotations/Centerline/path_menu", "2");
  preferences->SetString("Annotations/Centerline/axis_menu", axisOrder);
  return new CenterLinesAnnotation;
}

//! The jog points that a save of the line writes, in order, as one text.
std::string SavedJogs(CenterLinesAnnotation& line)
{
  tqk::SerializedContentElement document("annotation");
  line.Visit(document);
  std::string jogs;
  for (const tqk::SerializedContentElement::Entry& entry : document.GetEntries()[0].child->GetEntries())
    if (entry.key == du::Symbol("jogs"))
      jogs += Text(std::get<dg::DPoint3D>(entry.value));
  return jogs;
}

//! The corners of the line as the user sees it drawn, as one text.
std::string DrawnCorners(const MeasuredLine& scene)
{
  std::string corners;
  for (const dg::DPoint3D& corner : scene.DrawnLine()->GetJogs())
    corners += Text(corner);
  return corners;
}

tqk::UndoHistory& History() { return tqk::World::GetWorld()->GetUndoHistory(); }

class CenterLinesJogsTest : public ::testing::Test
{
protected:
  CenterLinesJogsTest() { History().Clear(); }
  ~CenterLinesJogsTest() override
  {
    History().Clear();
    tqk::World::GetWorld()->GetPreferences()->Clear();
  }
};

TEST_F(CenterLinesJogsTest, ARoutedLineKeepsTheCornersOfItsFirstTurningDrawingThroughUndoSaveAndLoad)
{
  MeasuredLine scene(RoutedLine("1"));
  ASSERT_TRUE(scene.DrawnLine());
  EXPECT_EQ(SavedJogs(*scene.line), "") << "along the plate's X axis the route does not turn";

  // The user drags the second end up by 5: the route now turns twice.
  {
    tqannotations::MarkupDrag drag(scene.DrawnLine(), scene.builder.GetView(), scene.line.Get());
    ASSERT_TRUE(drag.StartAt(10, 5));
    drag.Step(dg::DVec3(0, 5, 0));
    ASSERT_TRUE(drag.Stop(10, 10, new tqk::Operation("drag", scene.builder.GetScene(), true)));
  }
  ASSERT_TRUE(History().Undo());
  EXPECT_EQ(SavedJogs(*scene.line), "") << "no corners so far, so none are taken";
  ASSERT_TRUE(History().Redo());
  const std::string corners = DrawnCorners(scene);
  EXPECT_EQ(corners, "(4, 5, 1)(4, 10, 1)");
  EXPECT_EQ(SavedJogs(*scene.line), corners) << "the first drawing that turns gives the jogs";

  tqk::SerializedContentElement document("annotation");
  scene.line->Visit(document);
  const du::SmartPtr<CenterLinesAnnotation> loaded(new CenterLinesAnnotation);
  loaded->InitializeFromSerializedContent(&document);
  EXPECT_EQ(SavedJogs(*loaded), "") << "jogs are not read back";
  scene.set->AddAnnotation(loaded);
  loaded->AttachScene(scene.builder.GetScene());
  loaded->SetObjects({scene.PartItem("frame/plate"), scene.PartItem("frame/rib")}, nullptr, true);
  tqk::Kernel::GetKernel()->PumpQueue();
  EXPECT_EQ(SavedJogs(*loaded), corners) << "the loaded line, drawn as saved, turns at the same corners";
  loaded->DetachScene();

  ASSERT_TRUE(History().Undo());
  EXPECT_EQ(DrawnCorners(scene), "");
  EXPECT_EQ(SavedJogs(*scene.line), corners) << "jogs once taken stay through an undo";

  scene.line->SetObjects({scene.PartItem("frame/plate"), scene.PartItem("frame/rib")}, nullptr, true);
  tqk::Kernel::GetKernel()->PumpQueue();
  EXPECT_EQ(SavedJogs(*scene.line), "") << "a new measurement takes the corners afresh";
}

TEST_F(CenterLinesJogsTest, ASingleCornerIsNoJogListYetSoTheNextDrawingGivesTheJogs)
{
  MeasuredLine scene(RoutedLine("2"));
  ASSERT_TRUE(scene.DrawnLine());
  // The second end set 5 up: along Z, Y, X the route turns once, at the corner above the first
  // end.
  du::SmartPtr<tqk::SelectionItem> rib = scene.ItemIn(1);
  scene.line->SetPoint(dg::DPoint3D(10, 10, 1), 2.0f, rib, CenterLinesAnnotation::SECOND_END);
  EXPECT_EQ(SavedJogs(*scene.line), "(0, 10, 1)");

  CenterStyle style;
  scene.line->GetLineStyle(style);
  style.xyzFlag = 1; // X, Y, Z: two corners
  ASSERT_TRUE(scene.line->SetLineStyle(style, CenterStyle::XYZ_FLAG));
  EXPECT_EQ(SavedJogs(*scene.line), "(5, 5, 1)(5, 10, 1)");

  style.xyzFlag = 2;
  ASSERT_TRUE(scene.line->SetLineStyle(style, CenterStyle::XYZ_FLAG));
  EXPECT_EQ(DrawnCorners(scene), "(0, 10, 1)");
  EXPECT_EQ(SavedJogs(*scene.line), "(5, 5, 1)(5, 10, 1)") << "two corners are a jog list, kept from then on";
}

} // namespace
