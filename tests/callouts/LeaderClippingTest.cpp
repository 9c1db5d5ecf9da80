#include "callouts/LeaderClipping.h"

#include <gtest/gtest.h>

namespace {

using namespace tqannotations;

//! The padded text box of a 40 by 10 text: 5 added to each extent, centred on the origin.
const dg::FBox2D kTextBox(dg::FPoint2D(-22.5f, -7.5f), dg::FPoint2D(22.5f, 7.5f));

dg::Segment<float, 2> Segment(float x0, float y0, float x1, float y1)
{
  return dg::Segment<float, 2>(dg::FPoint2D(x0, y0), dg::FPoint2D(x1, y1));
}

TEST(LineCrossing, FindsTheParametersOnBothLines)
{
  float s = -1.0f;
  float u = -1.0f;
  ASSERT_TRUE(IntersectLines2D(dg::FPoint2D(0, 0), dg::FVec2(10, 0), dg::FPoint2D(4, -2), dg::FVec2(0, 8),
                               1e-6f, s, u));
  EXPECT_FLOAT_EQ(s, 0.4f);
  EXPECT_FLOAT_EQ(u, 0.25f);

  // A steep first line divides by its y component.
  ASSERT_TRUE(IntersectLines2D(dg::FPoint2D(0, 0), dg::FVec2(0, 4), dg::FPoint2D(-1, 3), dg::FVec2(2, 0),
                               1e-6f, s, u));
  EXPECT_FLOAT_EQ(s, 0.75f);
  EXPECT_FLOAT_EQ(u, 0.5f);
}

TEST(LineCrossing, ParallelLinesWithinTheToleranceDoNotCross)
{
  float s = 42.0f;
  float u = 42.0f;
  EXPECT_FALSE(IntersectLines2D(dg::FPoint2D(0, 0), dg::FVec2(1, 0), dg::FPoint2D(0, 1), dg::FVec2(-3, 0),
                                1e-6f, s, u));
  EXPECT_FALSE(IntersectLines2D(dg::FPoint2D(0, 0), dg::FVec2(1, 0), dg::FPoint2D(0, 1), dg::FVec2(1, 1e-4f),
                                1e-3f, s, u));
  EXPECT_FALSE(
      IntersectLines2D(dg::FPoint2D(0, 0), dg::FVec2(0, 0), dg::FPoint2D(0, 1), dg::FVec2(1, 1), 0.0f, s, u))
      << "a line without direction crosses nothing";
  EXPECT_EQ(s, 42.0f);
  EXPECT_EQ(u, 42.0f);
}

TEST(BoxOutlineCrossing, ALeaderFromTheRightEntersTheTextBoxAtItsRightEdge)
{
  dg::FPoint2D hit;
  float t = 0.0f;
  ASSERT_TRUE(IntersectBoxOutline(kTextBox, Segment(100, 0, 0, 0), hit, t));
  EXPECT_FLOAT_EQ(t, 0.775f);
  EXPECT_FLOAT_EQ(hit.x, 22.5f);
  EXPECT_FLOAT_EQ(hit.y, 0.0f);
}

TEST(BoxOutlineCrossing, BothEndsOfTheSegmentCount)
{
  dg::FPoint2D hit;
  float t = 0.0f;
  ASSERT_TRUE(IntersectBoxOutline(kTextBox, Segment(50, 0, 22.5f, 0), hit, t));
  EXPECT_FLOAT_EQ(t, 1.0f) << "a segment ending on the outline crosses it";
  ASSERT_TRUE(IntersectBoxOutline(kTextBox, Segment(22.5f, 0, 80, 0), hit, t));
  EXPECT_FLOAT_EQ(t, 0.0f);
}

TEST(BoxOutlineCrossing, ACornerIsTakenOnTheFirstEdgeOfTheWalk)
{
  // Through corner 3 (upper right), the end of the walk's second edge (top, from corner 3 to 2)
  // and of its third (right, from corner 1 to 3): the top edge comes first, at u = 0.
  dg::FPoint2D hit;
  float t = 0.0f;
  ASSERT_TRUE(IntersectBoxOutline(kTextBox, Segment(45, 15, 0, 0), hit, t));
  EXPECT_FLOAT_EQ(t, 0.5f);
  EXPECT_FLOAT_EQ(hit.x, 22.5f);
  EXPECT_FLOAT_EQ(hit.y, 7.5f);
}

TEST(BoxOutlineCrossing, NoCrossingLeavesTheHitAndGivesOne)
{
  const dg::FPoint2D untouched(-99, -99);
  dg::FPoint2D hit = untouched;
  float t = 0.0f;
  EXPECT_FALSE(IntersectBoxOutline(kTextBox, Segment(10, 2, 0, 0), hit, t))
      << "a leader starting inside the box";
  EXPECT_FLOAT_EQ(t, 1.0f);
  EXPECT_FALSE(IntersectBoxOutline(kTextBox, Segment(100, 50, 60, 50), hit, t)) << "far outside";
  const dg::FBox2D empty(dg::FPoint2D(1, 1), dg::FPoint2D(-1, -1));
  t = 0.0f;
  EXPECT_FALSE(IntersectBoxOutline(empty, Segment(100, 0, 0, 0), hit, t));
  EXPECT_FLOAT_EQ(t, 1.0f);
  EXPECT_EQ(hit.x, untouched.x);
  EXPECT_EQ(hit.y, untouched.y);
}

TEST(BoxOutlineCrossing, ALeaderAlongAnEdgeCrossesAtTheFirstEdgeItMeets)
{
  // Running along the top edge, it is parallel to that edge and meets the right edge first.
  dg::FPoint2D hit;
  float t = 0.0f;
  ASSERT_TRUE(IntersectBoxOutline(kTextBox, Segment(60, 7.5f, 0, 7.5f), hit, t));
  EXPECT_FLOAT_EQ(hit.x, 22.5f);
  EXPECT_FLOAT_EQ(hit.y, 7.5f);
}

} // namespace
