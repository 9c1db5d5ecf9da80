#include <tqk/MarkupController.h>
#include <tqk/ShapeView.h>
#include <tqmk/Label.h>
#include <tqmk/LeaderLine.h>
#include <tqmk/MarkupData.h>
#include <tqmk/MarkupShadow.h>
#include <tqmu/PrimitiveText2D.h>

#include <gtest/gtest.h>

namespace {

TEST(Label, KeepsItsLookInItsNoteAndDrawsItsText)
{
  du::SmartPtr<tqmk::Label> label(new tqmk::Label);
  label->SetText("Bolt");
  label->SetFontSize(10.0f);
  label->SetTextColor(dg::Color(1, 0, 0));
  label->SetShape(static_cast<tqmu::ModelNote::Shape>(7)); // kept even though no frame has it
  label->SetPos(dg::DPoint3D(1, 2, 3));
  EXPECT_EQ(label->GetShape(), 7);
  EXPECT_EQ(label->GetNote()->GetText(), "Bolt");
  EXPECT_EQ(label->GetNote()->GetLocation().GetPosition().z, 3.0);
  label->Translate(dg::DVec3(1, 1, 1));
  EXPECT_EQ(label->GetPos().x, 2.0);

  const auto content = du::SmartPtr<tqmk::MarkupData>::DynamicCast(label->GetContent());
  ASSERT_TRUE(content);
  EXPECT_EQ(content->GetMarkup(), label.Get());
  tqmu::Primitives primitives;
  content->GetPrimitives(primitives, dg::Pipeline(), nullptr, 0, dg::Color(), 0, false);
  const auto text = du::SmartPtr<tqmu::PrimitiveText2D>::DynamicCast(primitives.Get(0));
  ASSERT_TRUE(text);
  EXPECT_FLOAT_EQ(text->GetWidth(), 24.0f);
}

TEST(Label, BringToFrontPutsTheLatestLabelLast)
{
  du::SmartPtr<tqmk::Label> first(new tqmk::Label), second(new tqmk::Label);
  EXPECT_EQ(first->GetFrontStamp(), 0u);
  second->BringToFront();
  first->BringToFront();
  EXPECT_GT(first->GetFrontStamp(), second->GetFrontStamp());
}

TEST(LeaderLine, PointsAreAppendedMovedInRangeAndTranslated)
{
  du::SmartPtr<tqmk::LeaderLine> line(new tqmk::LeaderLine);
  line->AppendPoint(dg::DPoint3D(0, 0, 0));
  line->AppendPoint(dg::DPoint3D(10, 0, 0));
  EXPECT_TRUE(line->MovePoint(1, dg::DPoint3D(20, 0, 0)));
  EXPECT_FALSE(line->MovePoint(2, dg::DPoint3D(1, 1, 1)));
  EXPECT_FALSE(line->MovePoint(-1, dg::DPoint3D(1, 1, 1)));
  line->Translate(dg::DVec3(0, 5, 0));
  const auto points = line->GetPoints();
  ASSERT_EQ(points.size(), 2u);
  EXPECT_EQ(points[1].x, 20.0);
  EXPECT_EQ(points[0].y, 5.0);
  EXPECT_EQ(line->GetModel()->GetVertices().size(), 2u);
}

TEST(LeaderLine, KeepsEveryLookAttributeAsGiven)
{
  tqmk::LeaderLine line;
  line.SetLineWidth(3);
  line.MatchArrowsToWidth();
  line.SetStipple(tqmu::RenderAttrs::DASH_DASH_DASH);
  line.SetStippleScale(3);
  line.SetArrowStyle(tqmu::ModelLeaderLine::ROUND_ARROW);
  line.SetHalo(true);
  line.ShowHiddenLinesAsDashed(true);
  EXPECT_EQ(line.GetArrowSize(), 12);
  EXPECT_EQ(line.GetStipple(), tqmu::RenderAttrs::DASH_DASH_DASH);
  EXPECT_EQ(line.GetStippleScale(), 3.0f);
  EXPECT_EQ(line.GetArrowStyle(), tqmu::ModelLeaderLine::ROUND_ARROW);
  EXPECT_TRUE(line.HasHalo());
  EXPECT_TRUE(line.AreHiddenLinesShownAsDashed());
  EXPECT_TRUE(line.GetModel()->AreHiddenLinesShown());
  line.ShowHiddenLinesAsDashed(false);
  EXPECT_FALSE(line.GetModel()->AreHiddenLinesDashed());
  line.SetLineWidth(0);
  EXPECT_EQ(line.GetLineWidth(), 1);
}

TEST(MarkupShadow, OffsetsAreCarriedIntoTheSceneThroughTheCamera)
{
  du::SmartPtr<tqk::ShapeView> view(new tqk::ShapeView);
  dg::DMat44 twoPixelsPerUnit;
  for (int i = 0; i < 3; ++i)
    twoPixelsPerUnit(i, i) = 2.0;
  twoPixelsPerUnit(3, 0) = 400; // a position: it must not shift an offset
  view->SetCamera(dg::Camera3D(twoPixelsPerUnit));
  du::SmartPtr<tqmk::MarkupShadow> shadow(new tqmk::MarkupShadow(view, true));
  const dg::DVec3 delta = shadow->GetDeltaInObjectSpace(dg::DVec3(10, -4, 0));
  EXPECT_EQ(delta.x, 5.0);
  EXPECT_EQ(delta.y, -2.0);
  du::SmartPtr<tqmk::MarkupShadow> plain(
      new tqmk::MarkupShadow(du::SmartPtr<tqk::View>(new tqk::View), true));
  EXPECT_EQ(plain->GetDeltaInObjectSpace(dg::DVec3(10, -4, 0)).x, 10.0);
}

TEST(MarkupData, ContentKeptBeyondItsMarkupNoLongerPointsAtIt)
{
  du::SmartPtr<tqmk::MarkupData> kept;
  {
    du::SmartPtr<tqmk::Label> label(new tqmk::Label);
    kept = du::SmartPtr<tqmk::MarkupData>::DynamicCast(label->GetContent());
    ASSERT_TRUE(kept);
    EXPECT_EQ(kept->GetMarkup(), label.Get());
  }
  EXPECT_EQ(kept->GetMarkup(), nullptr);
}

} // namespace
