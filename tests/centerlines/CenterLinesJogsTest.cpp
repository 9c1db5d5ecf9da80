#include "tests/centerlines/MeasuredLine.h"
#include "tests/centerlines/PointText.h"

#include <tqannotations/MarkupDrag.h>
#include <tqk/Operation.h>
#include <tqk/SerializedContentElement.h>
#include <tqk/UndoHistory.h>

#include <gtest/gtest.h>

#include <deque>
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

//! The representation the host draws the line with.
du::SmartPtr<tqannotations::CenterLinesRepresentation> Drawn(const MeasuredLine& scene)
{
  for (const du::SmartPtr<tqk::Markup>& holder : scene.builder.GetScene()->GetMarkups())
    for (const du::SmartPtr<tqk::Markup>& child : holder->GetChildren())
      if (const auto drawn = du::SmartPtr<tqannotations::CenterLinesRepresentation>::DynamicCast(child))
        return drawn;
  return nullptr;
}

std::string JogsOf(tqannotations::CenterLinesRepresentation& representation)
{
  std::deque<dg::DPoint3D> jogs;
  representation.GetJogs(jogs);
  std::string text;
  for (const dg::DPoint3D& jog : jogs)
    text += Text(jog);
  return text;
}

void DrawAgain(const MeasuredLine& scene)
{
  scene.line->DetachScene();
  scene.line->AttachScene(scene.builder.GetScene());
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

TEST_F(CenterLinesJogsTest, TheJogsTheHostHandsTheDrawingAreTakenOnceAndKeptUntilTheNextMeasurement)
{
  MeasuredLine scene(RoutedLine("1"));
  du::SmartPtr<tqk::SelectionItem> rib = scene.ItemIn(1);
  // The second end set 5 up: along X, Y, Z the drawn route turns twice, which makes no jogs.
  scene.line->SetPoint(dg::DPoint3D(10, 10, 1), 2.0f, rib, CenterLinesAnnotation::SECOND_END);
  ASSERT_TRUE(Drawn(scene));
  EXPECT_EQ(SavedJogs(*scene.line), "") << "the drawing's corners are no jogs";

  Drawn(scene)->SetJogs({dg::DPoint3D(3, 5, 1)});
  DrawAgain(scene);
  EXPECT_EQ(SavedJogs(*scene.line), "(3, 5, 1)") << "one point is taken, but is no jog list yet";
  scene.line->SetObjects({scene.PartItem("frame/plate"), scene.PartItem("frame/rib")}, nullptr, true);
  tqk::Kernel::GetKernel()->PumpQueue();
  EXPECT_EQ(SavedJogs(*scene.line), "") << "a new measurement drops what the drawing gave";

  Drawn(scene)->SetJogs({dg::DPoint3D(3, 5, 1), dg::DPoint3D(3, 10, 1)});
  EXPECT_EQ(SavedJogs(*scene.line), "") << "taken only when the line is drawn again";
  DrawAgain(scene);
  const std::string jogs = "(3, 5, 1)(3, 10, 1)";
  EXPECT_EQ(SavedJogs(*scene.line), jogs);
  Drawn(scene)->SetJogs({dg::DPoint3D(7, 7, 7), dg::DPoint3D(8, 8, 8)});
  DrawAgain(scene);
  EXPECT_EQ(SavedJogs(*scene.line), jogs) << "a jog list once taken stays";

  CenterStyle style;
  scene.line->GetLineStyle(style);
  style.xyzFlag = 2;
  ASSERT_TRUE(scene.line->SetLineStyle(style, CenterStyle::XYZ_FLAG));
  EXPECT_EQ(JogsOf(*Drawn(scene)), jogs) << "every new drawing is handed the line's jogs";
  {
    tqannotations::MarkupDrag drag(scene.DrawnLine(), scene.builder.GetView(), scene.line.Get());
    ASSERT_TRUE(drag.StartAt(10, 10));
    drag.Step(dg::DVec3(0, 5, 0));
    ASSERT_TRUE(drag.Stop(10, 15, new tqk::Operation("drag", scene.builder.GetScene(), true)));
  }
  ASSERT_TRUE(History().Undo());
  EXPECT_EQ(SavedJogs(*scene.line), jogs) << "jogs stay through an undo";

  tqk::SerializedContentElement document("annotation");
  scene.line->Visit(document);
  const du::SmartPtr<CenterLinesAnnotation> loaded(new CenterLinesAnnotation);
  loaded->InitializeFromSerializedContent(&document);
  EXPECT_EQ(SavedJogs(*loaded), "") << "jogs are not read back";

  scene.line->SetObjects({scene.PartItem("frame/plate"), scene.PartItem("frame/rib")}, nullptr, true);
  tqk::Kernel::GetKernel()->PumpQueue();
  EXPECT_EQ(SavedJogs(*scene.line), "") << "a new measurement drops the jogs";
}

} // namespace
