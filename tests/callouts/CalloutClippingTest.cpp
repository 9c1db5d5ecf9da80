#include "callouts/CalloutTestSupport.h"

#include <tqannotations/CalloutLeaderShadow.h>

#include <dg/Camera3D.h>
#include <dg/DMat44.h>
#include <tqmu/MarkupData.h>
#include <tqmu/ModelContainer.h>
#include <tqmu/ModelLineStrip.h>
#include <tqmu/ModelNote.h>
#include <tqmu/Primitives.h>

#include <gtest/gtest.h>

namespace {

using namespace callout_test;

// A text of 8 characters at this size is drawn 40 wide and 10 high, so the padded text box runs
// from -22.5 to 22.5 across and from -7.5 to 7.5 up.
const char* const kEightCharacters = "ABCDEFGH";
const float kFontSize = 25.0f / 3.0f;

//! A frameless callout with its label at the origin of a part's space, shown in a view whose
//! camera maps world x and y to pixels one to one.
struct FramelessCallout : ::testing::Test
{
  void Show(const dg::Location& partPlacement, std::initializer_list<dg::DPoint3D> anchors)
  {
    part = world.AddPart("p", partPlacement);
    callout = new TestCallout;
    callout->_Initialize(Template());
    callout->SetText(du::Symbol(kEightCharacters));
    callout->SetFontSize(kFontSize);
    callout->SetShape(tqmu::ModelNote::NO_SHAPE);
    for (const dg::DPoint3D& anchor : anchors)
      leaders.push_back(callout->AddLeader(part, anchor));
    callout->SetLabelPosition(dg::DPoint3D::ORIGIN);
    callout->AttachScene(world.scene);
    label = LabelIn(*world.scene);
  }
  void TearDown() override
  {
    if (callout)
      callout->DetachScene();
  }
  //! Draws the label as the host's redraw does.
  static void Draw(const du::SmartPtr<tqmk::CalloutLabel>& label)
  {
    tqmu::Primitives primitives;
    du::SmartPtr<tqmu::MarkupData>::DynamicCast(label->GetContent())
        ->GetPrimitives(primitives, dg::Pipeline(), nullptr, 0, dg::Color(), 0, false);
  }

  SceneWithView world;
  du::SmartPtr<tqk::ShapeInstance> part;
  du::SmartPtr<TestCallout> callout;
  std::vector<du::SmartPtr<CalloutLeader>> leaders;
  du::SmartPtr<tqmk::CalloutLabel> label;
};

TEST_F(FramelessCallout, DrawingEndsEachLeaderAtTheTextBox)
{
  Show(dg::Location(), {dg::DPoint3D(100, 0, 0), dg::DPoint3D(0, -50, 0)});
  ASSERT_TRUE(label);
  Draw(label);
  const dg::DPoint3D first = leaders[0]->GetPoints()[0];
  EXPECT_NEAR(first.x, 22.5, 1e-4) << "t = 0.775 along the leader from its anchor";
  EXPECT_NEAR(first.y, 0.0, 1e-9);
  const dg::DPoint3D second = leaders[1]->GetPoints()[0];
  EXPECT_NEAR(second.x, 0.0, 1e-9);
  EXPECT_NEAR(second.y, -7.5, 1e-4);
  EXPECT_EQ(leaders[0]->GetPoints()[1].x, 100.0) << "the anchor end stays";
}

TEST_F(FramelessCallout, ALeaderPassingBesideACornerEndsAtTheEdgeItCrosses)
{
  // Towards the label, the leader crosses the line of the top edge 15 beyond its corner, then
  // the right edge itself.
  Show(dg::Location(), {dg::DPoint3D(100, 20, 0)});
  ASSERT_TRUE(label);
  Draw(label);
  const dg::DPoint3D end = leaders[0]->GetPoints()[0];
  EXPECT_NEAR(end.x, 22.5, 1e-4);
  EXPECT_NEAR(end.y, 4.5, 1e-4);
}

//! The points a leader's shadow draws: the vertices of the line in its drawing model.
std::vector<dg::DPoint3D> DrawnShadowPoints(const du::SmartPtr<tqk::Markup>& shadow)
{
  const auto content = du::SmartPtr<tqmu::MarkupData>::DynamicCast(shadow->GetContent());
  const auto& model = dynamic_cast<const tqmu::ModelContainer&>(*content->GetModelBase());
  for (const du::SmartPtr<tqmu::ModelBase>& child : model.GetChildren())
    if (const auto line = du::SmartPtr<tqmu::ModelLineStrip>::DynamicCast(child))
      return line->GetVertices();
  return {};
}

TEST_F(FramelessCallout, ALeaderBeingDraggedHasItsShadowEndedAtTheTextBoxToo)
{
  Show(dg::Location(), {dg::DPoint3D(100, 0, 0), dg::DPoint3D(0, -50, 0)});
  ASSERT_TRUE(leaders[0]->BeginShadowDrag(world.view));
  const du::SmartPtr<tqk::Markup> shadow = leaders[0]->GetShadow();
  ASSERT_TRUE(du::SmartPtr<CalloutLeaderShadow>::DynamicCast(shadow));
  Draw(label);
  const std::vector<dg::DPoint3D> drawn = DrawnShadowPoints(shadow);
  ASSERT_EQ(drawn.size(), 2u);
  EXPECT_NEAR(drawn[0].x, 22.5, 1e-4) << "the shadow drawn during the drag ends where the leader does";
  EXPECT_EQ(drawn[1].x, 100.0);
  EXPECT_NEAR(leaders[1]->GetPoints()[0].y, -7.5, 1e-4) << "a leader without shadow is clipped as before";
  leaders[0]->EndShadowDrag();
}

TEST_F(FramelessCallout, TheLabelFollowsThePlacementOfLeaderZerosPart)
{
  Show(Translation(50, 10, 0), {dg::DPoint3D(100, 0, 0)});
  Draw(label);
  const dg::DPoint3D clipped = leaders[0]->GetPoints()[0];
  EXPECT_NEAR(clipped.x, 72.5, 1e-4);
  EXPECT_NEAR(clipped.y, 10.0, 1e-4);
}

TEST_F(FramelessCallout, TheTextBoxIsMeasuredInTheViewsPixels)
{
  // Two pixels per world unit, the world's origin at pixel (300, 200): the box of 45 pixels
  // around the label spans 22.5 world units, so the leader ends 11.25 units from the label.
  dg::DMat44 pixels;
  pixels(0, 0) = 2.0;
  pixels(1, 1) = 2.0;
  pixels(3, 0) = 300.0;
  pixels(3, 1) = 200.0;
  dg::Camera3D camera;
  camera.SetTransformationMatrix(pixels);
  world.view->SetCamera(camera);
  Show(dg::Location(), {dg::DPoint3D(100, 0, 0)});
  Draw(label);
  const dg::DPoint3D clipped = leaders[0]->GetPoints()[0];
  EXPECT_NEAR(clipped.x, 11.25, 1e-4);
  EXPECT_NEAR(clipped.y, 0.0, 1e-9);
}

TEST_F(FramelessCallout, CalcShortenLeaderAtComputesWithoutMoving)
{
  Show(dg::Location(), {dg::DPoint3D(100, 0, 0)});
  dg::FBox2D box(dg::FPoint2D(-22.5f, -7.5f), dg::FPoint2D(22.5f, 7.5f));
  dg::DPoint3D point(-1, -1, -1);
  callout->CalcShortenLeaderAt(box, point, 0);
  EXPECT_NEAR(point.x, 22.5, 1e-4);
  EXPECT_EQ(leaders[0]->GetPoints()[0].x, 0.0) << "the leader is not moved";
  EXPECT_EQ(box.min.x, -22.5f) << "the caller's box is not changed";

  dg::DPoint3D untouched(-1, -1, -1);
  callout->CalcShortenLeaderAt(box, untouched, 1);
  EXPECT_EQ(untouched.x, -1.0) << "no such leader";
}

TEST_F(FramelessCallout, ALeaderEndingInsideTheBoxIsNotMoved)
{
  Show(dg::Location(), {dg::DPoint3D(10, 2, 0)});
  Draw(label);
  EXPECT_EQ(leaders[0]->GetPoints()[0].x, 0.0);
}

TEST_F(FramelessCallout, AFramedLabelNeverMovesLeaders)
{
  Show(dg::Location(), {dg::DPoint3D(100, 0, 0)});
  callout->SetShape(tqmu::ModelNote::SQUARE);
  Draw(label);
  EXPECT_EQ(leaders[0]->GetPoints()[0].x, 0.0);
}

TEST_F(FramelessCallout, ACopyGoingAwayLeavesTheLabelItSharedClippingForItsSource)
{
  Show(dg::Location(), {dg::DPoint3D(100, 0, 0)});
  du::SmartPtr<TestCallout> copy(new TestCallout(*callout));
  copy.Reset();
  Draw(label);
  EXPECT_NEAR(leaders[0]->GetPoints()[0].x, 22.5, 1e-4);
}

TEST_F(FramelessCallout, ALabelThatOutlivesItsCalloutMovesNothing)
{
  Show(dg::Location(), {dg::DPoint3D(100, 0, 0)});
  const du::SmartPtr<CalloutLeader> leader = leaders[0];
  callout->DetachScene();
  leaders.clear();
  callout.Reset();
  Draw(label);
  EXPECT_EQ(leader->GetPoints()[0].x, 0.0);
}

} // namespace
