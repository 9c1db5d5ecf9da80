#include <dg/DMat44.h>
#include <dg/Location.h>

#include <gtest/gtest.h>

#include <cmath>

namespace {

void ExpectNear(const dg::DPoint3D& actual, const dg::DPoint3D& expected, double tolerance = 1e-5)
{
  EXPECT_NEAR(actual.x, expected.x, tolerance);
  EXPECT_NEAR(actual.y, expected.y, tolerance);
  EXPECT_NEAR(actual.z, expected.z, tolerance);
}

const dg::Location kTurnedAndMoved(dg::DPoint3D(10, -4, 2.5),
                                   dg::Quat::FromAxisAngle(dg::DVec3(0, 0, 1), M_PI / 2), 2.0);

TEST(Location, PlacementAndItsMatrixCarryPointsAlike)
{
  const dg::DPoint3D p(1, 2, 3);
  // A quarter turn about z takes x to y; scale 2; then the move.
  ExpectNear(p * kTurnedAndMoved, dg::DPoint3D(10 - 4, -4 + 2, 2.5 + 6));
  ExpectNear(p * kTurnedAndMoved.GetXform(), p * kTurnedAndMoved);
  dg::DPoint3D moved = p;
  moved *= kTurnedAndMoved;
  ExpectNear(moved, p * kTurnedAndMoved);
}

TEST(Location, InverseMatrixAndInversePlacementUndoThePlacement)
{
  const dg::DPoint3D p(-7, 0.5, 12);
  dg::DMat44 inverse = kTurnedAndMoved.GetXform();
  ASSERT_TRUE(inverse.Invert());
  ExpectNear(p * kTurnedAndMoved * inverse, p);

  dg::Location undo;
  ASSERT_TRUE(kTurnedAndMoved.GetInverse(undo));
  ExpectNear(p * kTurnedAndMoved * undo, p);
}

TEST(Location, SingularMatrixIsLeftUnchanged)
{
  dg::Location flat(dg::FMat33(1, 0, 0, 0, 1, 0, 0, 0, 0), dg::DPoint3D(1, 2, 3));
  dg::DMat44 m = flat.GetXform();
  EXPECT_FALSE(m.Invert());
  EXPECT_EQ(m(3, 0), 1.0);
  EXPECT_EQ(m(2, 2), 0.0);
  dg::Location out = dg::Location::IDENTITY;
  EXPECT_FALSE(flat.GetInverse(out));
  EXPECT_EQ(out, dg::Location::IDENTITY);
}

TEST(Location, QuaternionAndScaleReadBackAsSet)
{
  const dg::Quat q = kTurnedAndMoved.GetQuat();
  const dg::Quat expected = dg::Quat::FromAxisAngle(dg::DVec3(0, 0, 1), M_PI / 2);
  // q and -q are the same rotation.
  const double sign = q.w * expected.w < 0 ? -1 : 1;
  EXPECT_NEAR(sign * q.x, expected.x, 1e-6);
  EXPECT_NEAR(sign * q.y, expected.y, 1e-6);
  EXPECT_NEAR(sign * q.z, expected.z, 1e-6);
  EXPECT_NEAR(sign * q.w, expected.w, 1e-6);
  EXPECT_NEAR(kTurnedAndMoved.GetScale(), 2.0, 1e-6);
}

TEST(Location, OriginRotationAndScaleReadBackThroughGet)
{
  dg::DPoint3D origin;
  dg::Quat rotation;
  double scale = 0;
  kTurnedAndMoved.Get(origin, rotation, scale);
  EXPECT_EQ(origin.x, 10.0);
  EXPECT_EQ(origin.z, 2.5);
  EXPECT_NEAR(scale, 2.0, 1e-6);
  const dg::Location rebuilt(origin, rotation, scale);
  const dg::DPoint3D p(3, -1, 4);
  ExpectNear(p * rebuilt, p * kTurnedAndMoved);
}

TEST(Location, SetPosMovesTheOriginAndKeepsTheOrientation)
{
  dg::Location moved = kTurnedAndMoved;
  moved.SetPos(dg::DPoint3D(0, 0, 0));
  EXPECT_EQ(moved.GetOrientation(), kTurnedAndMoved.GetOrientation());
  ExpectNear(dg::DPoint3D(1, 0, 0) * moved, dg::DPoint3D(0, 2, 0));
}

} // namespace

namespace {

TEST(Location, IdentityConstantLeavesPointsWhereTheyAre)
{
  // Built at load like FMat33::IDENTITY; it must not depend on which of the two is built first.
  const dg::DPoint3D p = dg::DPoint3D(1, 2, 3) * dg::Location::IDENTITY;
  EXPECT_EQ(p.x, 1.0);
  EXPECT_EQ(p.y, 2.0);
  EXPECT_EQ(p.z, 3.0);
}

} // namespace
