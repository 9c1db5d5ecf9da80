#include <tqannotations/CenterLinesRepresentation.h>
#include <tqk/MemoryPoolAllocated.h>
#include <tqk/Scene.h>
#include <tqk/World.h>
#include <tqmk/CenterLineXYZ.h>
#include <tqmk/CenterLineXYZShadow.h>

#include <gtest/gtest.h>

#include <cmath>

namespace {

using tqannotations::CenterLinesRepresentation;
using tqannotations::CenterStyle;

void ExpectPoint(const dg::DPoint3D& point, double x, double y, double z)
{
  EXPECT_EQ(point.x, x);
  EXPECT_EQ(point.y, y);
  EXPECT_EQ(point.z, z);
}

class RepresentationTest : public ::testing::Test
{
protected:
  RepresentationTest() { tqk::World::GetWorld()->GetPreferences()->Clear(); }

  du::SmartPtr<CenterLinesRepresentation> Make(const CenterStyle& style)
  {
    return new CenterLinesRepresentation(dg::DPoint3D(0, 0, 0), dg::DPoint3D(10, 0, 0), nullptr, style,
                                         dg::Location::IDENTITY, "plate");
  }

  static du::SmartPtr<tqmk::CenterLineXYZ> ChildOf(const du::SmartPtr<CenterLinesRepresentation>& line)
  {
    return line->GetChildren().empty()
               ? nullptr
               : du::SmartPtr<tqmk::CenterLineXYZ>::DynamicCast(line->GetChildren().front());
  }
};

TEST_F(RepresentationTest, WidthsInPointsDrawInWholePixelsAndNeverBelowOne)
{
  const float points[] = {0.0f, 1.0f, 2.0f, 3.0f, -5.0f, std::nanf(""), 1e30f};
  const int pixels[] = {1, 1, 3, 4, 1, 1, 10000};
  for (int i = 0; i < 7; ++i) {
    CenterStyle style;
    style.lineWidth = points[i];
    const du::SmartPtr<CenterLinesRepresentation> line = Make(style);
    line->CreateMarkup(true);
    ASSERT_TRUE(ChildOf(line));
    EXPECT_EQ(ChildOf(line)->GetLineWidth(), pixels[i]) << points[i] << " points";
  }
}

TEST_F(RepresentationTest, ArrowAndStippleCodesReachTheDrawingAsStored)
{
  // Codes beyond the host's named values too: a stored 12 must not draw as some other arrow.
  const int codes[] = {0, 8, 12, -1};
  for (const int code : codes) {
    CenterStyle style;
    style.arrowType = code;
    style.lineStyle = code;
    const du::SmartPtr<CenterLinesRepresentation> line = Make(style);
    line->CreateMarkup(true);
    EXPECT_EQ(static_cast<int>(ChildOf(line)->GetArrowStyle()), code);
    EXPECT_EQ(static_cast<int>(ChildOf(line)->GetStipple()), code);
  }
}

TEST_F(RepresentationTest, TheChildIsMadeOnceInTheStyleAndCopiesStartWithoutOne)
{
  CenterStyle style;
  style.arrowType = 6;
  style.lineStyle = 3;
  style.isHalo = true;
  style.allwaysInFront = true;
  style.strokeColor = dg::Color::RED;
  style.lineExtent1 = 1.0f;
  const du::SmartPtr<CenterLinesRepresentation> line = Make(style);
  EXPECT_FALSE(line->HasValidMarkups());
  ExpectPoint(line->GetLeaderPoints(0), 0, 0, 0); // no child, the zero point

  EXPECT_EQ(line->CreateMarkup(false), line);
  EXPECT_EQ(line->CreateMarkup(false), line);
  ASSERT_EQ(line->GetChildren().size(), 1u) << "a second call makes no second child";
  const du::SmartPtr<tqmk::CenterLineXYZ> child = ChildOf(line);
  EXPECT_TRUE(line->OwnsMarkup(child));
  EXPECT_FALSE(line->OwnsMarkup(line));
  EXPECT_EQ(child->GetObjectName(), du::Symbol("plate"));
  EXPECT_EQ(child->GetAnnotationType(), 6);
  EXPECT_EQ(child->GetPlane(), 2);
  EXPECT_TRUE(child->AreHiddenLinesShownAsDashed());
  EXPECT_EQ(child->GetArrowStyle(), tqmu::ModelLeaderLine::ROUND_ARROW);
  EXPECT_EQ(child->GetStipple(), tqmu::RenderAttrs::DOT_DOT_DOT);
  EXPECT_EQ(child->GetLineColor(), dg::Color::RED);
  EXPECT_TRUE(child->HasHalo());
  EXPECT_EQ(child->GetStippleScale(), 4.0f);
  EXPECT_EQ(child->GetArrowSize(), 4 * child->GetLineWidth()) << "arrows matched to the width";
  ExpectPoint(line->GetLeaderPoints(0), -1, 0, 0);
  ExpectPoint(line->GetLeaderPoints(1), 0, 0, 0);
  ExpectPoint(line->GetLeaderPoints(4), 0, 0, 0); // past the polyline, the zero point

  const du::SmartPtr<CenterLinesRepresentation> copy(new CenterLinesRepresentation(*line));
  EXPECT_FALSE(copy->HasValidMarkups());
  EXPECT_EQ(copy->GetPartID(), du::Symbol("plate"));
}

TEST_F(RepresentationTest, ADraggedEndBecomesAnOffsetAndAStretchStays)
{
  const du::SmartPtr<CenterLinesRepresentation> line = Make(CenterStyle());
  line->CreateMarkup(true);
  const du::SmartPtr<tqmk::CenterLineXYZ> child = ChildOf(line);
  dg::DPoint3D offset(9, 9, 9);
  line->GetOriginOffset(offset);
  ExpectPoint(offset, 0, 0, 0);

  du::SmartPtr<tqk::Markup> made(child->ConstructShadow(nullptr));
  const auto shadow = du::SmartPtr<tqmk::CenterLineXYZShadow>::DynamicCast(made);
  ASSERT_TRUE(shadow);
  EXPECT_TRUE(line->MoveMarkup(shadow.Get())) << "ends unchanged";
  line->GetOriginOffset(offset);
  ExpectPoint(offset, 0, 0, 0);

  shadow->SetDraggedPoint(2);
  shadow->SetDragOffset(dg::DVec3(1, 0, 0));
  shadow->HandleDragStep();
  EXPECT_TRUE(line->MoveMarkup(shadow.Get()));
  line->GetOriginOffset(offset);
  ExpectPoint(offset, 1, 0, 0);
  dg::DPoint3D first;
  dg::DPoint3D second;
  line->GetPoints(first, second);
  ExpectPoint(second, 11, 0, 0); // the drawn second end moved with it
  ExpectPoint(line->GetLeaderPoints(2), 11, 0, 0);

  // A stretched extension is read back and kept through a redraw.
  child->MovePoint(3, dg::DPoint3D(14, 0, 0));
  float extension = 0.0f;
  line->GetEndExtention(extension);
  EXPECT_EQ(extension, 3.0f);
  line->RefreshPoints();
  ExpectPoint(line->GetLeaderPoints(3), 14, 0, 0);

  // A polyline too short to have its ends at 1 and count - 2 moves no offset.
  child->SetPoints({dg::DPoint3D(50, 0, 0), dg::DPoint3D(60, 0, 0)});
  du::SmartPtr<tqk::Markup> shortShadow(child->ConstructShadow(nullptr));
  line->MoveMarkup(dynamic_cast<tqmk::CenterLineXYZShadow*>(shortShadow.Get()));
  line->GetOriginOffset(offset);
  ExpectPoint(offset, 1, 0, 0);
  EXPECT_TRUE(line->MoveMarkup(nullptr));
}

TEST_F(RepresentationTest, ADraggedFirstEndMovesItsOwnOffsetAndARoutedLineKeepsItsDraggedCorner)
{
  const du::SmartPtr<CenterLinesRepresentation> straight = Make(CenterStyle());
  straight->CreateMarkup(true);
  du::SmartPtr<tqk::Markup> made(ChildOf(straight)->ConstructShadow(nullptr));
  auto shadow = du::SmartPtr<tqmk::CenterLineXYZShadow>::DynamicCast(made);
  shadow->SetDraggedPoint(1);
  shadow->SetDragOffset(dg::DVec3(0, 2, 0));
  shadow->HandleDragStep();
  straight->MoveMarkup(shadow.Get());
  dg::DPoint3D offset;
  straight->GetEndPointOffset(offset);
  ExpectPoint(offset, 0, 2, 0);
  straight->GetOriginOffset(offset);
  ExpectPoint(offset, 0, 0, 0); // the second end stays
  dg::DPoint3D first;
  dg::DPoint3D second;
  straight->GetPoints(first, second);
  ExpectPoint(first, 0, 2, 0);

  // Routed from (0, 0, 0) to (10, 5, 0): the first corner sits at (5, 0, 0) with a factor of 0.5.
  CenterStyle routedStyle;
  routedStyle.alongXYZ = true;
  const du::SmartPtr<CenterLinesRepresentation> routed(new CenterLinesRepresentation(
      dg::DPoint3D(0, 0, 0), dg::DPoint3D(10, 5, 0), nullptr, routedStyle, dg::Location::IDENTITY, "plate"));
  routed->CreateMarkup(true);
  ExpectPoint(routed->GetLeaderPoints(2), 5, 0, 0);
  made = ChildOf(routed)->ConstructShadow(nullptr);
  shadow = du::SmartPtr<tqmk::CenterLineXYZShadow>::DynamicCast(made);
  shadow->SetDraggedPoint(2);
  shadow->SetDragOffset(dg::DVec3(-3, 0, 0));
  shadow->HandleDragStep();
  routed->MoveMarkup(shadow.Get());
  float factor = 0.0f;
  routed->GetDragFactor(factor);
  EXPECT_NEAR(factor, 2.0f / 7.0f, 1e-6f);
  EXPECT_NEAR(routed->GetLeaderPoints(2).x, 20.0 / 7.0, 1e-5) << "redrawn with the dragged factor";
}

TEST_F(RepresentationTest, UpdatingRedrawsFromTheNewEndsAndHidesADragShadowOnlyInAScene)
{
  const du::SmartPtr<CenterLinesRepresentation> loose = Make(CenterStyle());
  loose->CreateMarkup(true);
  ASSERT_TRUE(ChildOf(loose)->BeginShadowDrag(nullptr));
  CenterStyle longer;
  longer.lineExtent2 = 2.0f;
  loose->UpdateInformation(dg::DPoint3D(0, 1, 0), dg::DPoint3D(20, 1, 0), longer, dg::Location::IDENTITY,
                           "rib");
  EXPECT_TRUE(ChildOf(loose)->GetShadow()->IsVisible()) << "without a scene the shadow is left alone";
  ExpectPoint(loose->GetLeaderPoints(2), 20, 1, 0);
  ExpectPoint(loose->GetLeaderPoints(3), 22, 1, 0);
  EXPECT_EQ(loose->GetPartID(), du::Symbol("rib"));

  const du::SmartPtr<CenterLinesRepresentation> shown(
      new CenterLinesRepresentation(dg::DPoint3D(0, 0, 0), dg::DPoint3D(10, 0, 0), new tqk::Scene,
                                    CenterStyle(), dg::Location::IDENTITY, "plate"));
  shown->CreateMarkup(true);
  ASSERT_TRUE(ChildOf(shown)->BeginShadowDrag(nullptr));
  shown->UpdateInformation(dg::DPoint3D(0, 0, 0), dg::DPoint3D(10, 0, 0), CenterStyle(),
                           dg::Location::IDENTITY, "plate");
  EXPECT_FALSE(ChildOf(shown)->GetShadow()->IsVisible());
  ChildOf(shown)->EndShadowDrag();
  ChildOf(loose)->EndShadowDrag();
}

TEST_F(RepresentationTest, WithoutAChildTheGettersLeaveTheirOutputsAndTheSwitchesDoNothing)
{
  const du::SmartPtr<CenterLinesRepresentation> line = Make(CenterStyle());
  float factor = 7.0f;
  dg::DPoint3D offset(7, 7, 7);
  EXPECT_TRUE(line->GetDragFactor(factor));
  EXPECT_TRUE(line->GetStartExtention(factor));
  EXPECT_TRUE(line->GetEndPointOffset(offset));
  EXPECT_EQ(factor, 7.0f);
  EXPECT_EQ(offset.x, 7.0);
  line->ShowMarkup(false);
  line->SetEndPointAttached(true);
  line->SetSelected(true, nullptr);
  EXPECT_FALSE(line->HasValidMarkups());

  line->CreateMarkup(true);
  line->ShowMarkup(false);
  line->SetEndPointAttached(true);
  EXPECT_FALSE(ChildOf(line)->IsVisible());
  EXPECT_TRUE(ChildOf(line)->IsEndPointAttached());
  std::deque<dg::DPoint3D> jogs;
  line->SetJogs({dg::DPoint3D(1, 1, 1)});
  line->GetJogs(jogs);
  EXPECT_EQ(jogs.size(), 1u);
}

} // namespace
