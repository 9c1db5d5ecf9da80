#include "host/tqg/src/geometry/ClosestPrimitives.h"

#include <gtest/gtest.h>

namespace {

using dg::DPoint3D;
using tqg::PrimitiveSet;

void ExpectNear(const DPoint3D& actual, const DPoint3D& expected)
{
  EXPECT_NEAR(actual.x, expected.x, 1e-12);
  EXPECT_NEAR(actual.y, expected.y, 1e-12);
  EXPECT_NEAR(actual.z, expected.z, 1e-12);
}

const PrimitiveSet::Triangle unitTriangle{DPoint3D(0, 0, 0), DPoint3D(1, 0, 0), DPoint3D(0, 1, 0)};

TEST(ClosestPrimitives, PointToTriangleLandsInTheRightRegion)
{
  ExpectNear(tqg::ClosestPointTriangle(DPoint3D(0.25, 0.25, 2), unitTriangle).onSecond,
             DPoint3D(0.25, 0.25, 0));
  ExpectNear(tqg::ClosestPointTriangle(DPoint3D(-1, -1, 0), unitTriangle).onSecond, DPoint3D(0, 0, 0));
  ExpectNear(tqg::ClosestPointTriangle(DPoint3D(0.5, -3, 1), unitTriangle).onSecond, DPoint3D(0.5, 0, 0));
  // Beyond the slanted edge: the foot on that edge, not on a vertex.
  const tqg::ClosestPair slanted = tqg::ClosestPointTriangle(DPoint3D(1, 1, 0), unitTriangle);
  ExpectNear(slanted.onSecond, DPoint3D(0.5, 0.5, 0));
  EXPECT_NEAR(slanted.distanceSquared, 0.5, 1e-12);
  // A triangle without area is measured along its edges.
  const PrimitiveSet::Triangle flat{DPoint3D(0, 0, 0), DPoint3D(2, 0, 0), DPoint3D(1, 0, 0)};
  ExpectNear(tqg::ClosestPointTriangle(DPoint3D(1.5, 1, 0), flat).onSecond, DPoint3D(1.5, 0, 0));
}

TEST(ClosestPrimitives, SegmentsSkewParallelAndDegenerate)
{
  const tqg::ClosestPair skew = tqg::ClosestSegmentSegment({DPoint3D(-1, 0, 0), DPoint3D(1, 0, 0)},
                                                           {DPoint3D(0, -1, 2), DPoint3D(0, 1, 2)});
  ExpectNear(skew.onFirst, DPoint3D(0, 0, 0));
  ExpectNear(skew.onSecond, DPoint3D(0, 0, 2));
  EXPECT_NEAR(skew.distanceSquared, 4.0, 1e-12);

  const tqg::ClosestPair parallel = tqg::ClosestSegmentSegment({DPoint3D(0, 0, 0), DPoint3D(2, 0, 0)},
                                                               {DPoint3D(1, 1, 0), DPoint3D(3, 1, 0)});
  EXPECT_NEAR(parallel.distanceSquared, 1.0, 1e-12);

  const tqg::ClosestPair pastTheEnd = tqg::ClosestSegmentSegment({DPoint3D(0, 0, 0), DPoint3D(1, 0, 0)},
                                                                 {DPoint3D(3, 0, 0), DPoint3D(3, 0, 0)});
  ExpectNear(pastTheEnd.onFirst, DPoint3D(1, 0, 0));
  ExpectNear(pastTheEnd.onSecond, DPoint3D(3, 0, 0));
}

TEST(ClosestPrimitives, CrossingPiecesMeetAtDistanceZero)
{
  const tqg::ClosestPair pierce =
      tqg::ClosestSegmentTriangle({DPoint3D(0.2, 0.2, -1), DPoint3D(0.2, 0.2, 1)}, unitTriangle);
  EXPECT_EQ(pierce.distanceSquared, 0.0);
  ExpectNear(pierce.onFirst, DPoint3D(0.2, 0.2, 0));

  const PrimitiveSet::Triangle upright{DPoint3D(0.2, 0.2, -1), DPoint3D(0.2, 0.2, 1), DPoint3D(5, 5, 0)};
  EXPECT_EQ(tqg::ClosestTriangleTriangle(unitTriangle, upright).distanceSquared, 0.0);

  const PrimitiveSet::Triangle above{DPoint3D(0, 0, 3), DPoint3D(1, 0, 3), DPoint3D(0, 1, 3)};
  EXPECT_NEAR(tqg::ClosestTriangleTriangle(unitTriangle, above).distanceSquared, 9.0, 1e-12);
}

TEST(ClosestPrimitives, SetsKeepTheNearestPairInTheirOrderAndEmptySetsHaveNone)
{
  PrimitiveSet first;
  first.points = {DPoint3D(0, 0, 5), DPoint3D(0.25, 0.25, 1)};
  PrimitiveSet second;
  second.triangles = {unitTriangle};
  second.segments = {{DPoint3D(10, 0, 0), DPoint3D(10, 1, 0)}};

  const std::optional<tqg::ClosestPair> pair = tqg::FindClosestPair(first, second);
  ASSERT_TRUE(pair);
  ExpectNear(pair->onFirst, DPoint3D(0.25, 0.25, 1));
  ExpectNear(pair->onSecond, DPoint3D(0.25, 0.25, 0));

  const std::optional<tqg::ClosestPair> reversed = tqg::FindClosestPair(second, first);
  ASSERT_TRUE(reversed);
  ExpectNear(reversed->onFirst, DPoint3D(0.25, 0.25, 0));

  EXPECT_FALSE(tqg::FindClosestPair(first, PrimitiveSet()));
  EXPECT_FALSE(tqg::FindClosestPair(PrimitiveSet(), second));
}

} // namespace
