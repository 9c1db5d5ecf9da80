#include <moduleutils/NewLumbraDerivedCSys.h>
#include <tqg/DatumAxis.h>
#include <tqg/Shape.h>
#include <tqk/GeometrySelectionItem.h>
#include <tqk/Instance.h>
#include <tqk/ObjectSelectionItem.h>
#include <tqk/Shape.h>
#include <tqk/ShapeScene.h>

#include <gtest/gtest.h>

namespace {

using moduleutils::LumbraDerivedCSys;
using moduleutils::NewLumbraDerivedCSys;

void ExpectAt(const dg::DPoint3D& actual, const dg::DPoint3D& expected)
{
  EXPECT_NEAR(actual.x, expected.x, 1e-9);
  EXPECT_NEAR(actual.y, expected.y, 1e-9);
  EXPECT_NEAR(actual.z, expected.z, 1e-9);
}

class DerivedCSysTest : public ::testing::Test
{
protected:
  DerivedCSysTest() : scene(new tqk::ShapeScene), bar(new tqk::Instance("bar")), bare(new tqk::Instance("bare"))
  {
    // A bar 2 long in X, 1 in Y and Z, placed at (10, 0, 0).
    const du::SmartPtr<tqg::Shape> box = tqg::Shape::CreateBox(dg::DPoint3D(0, 0, 0), dg::DPoint3D(2, 1, 1));
    scene->CreateShapeInstance(bar, new tqk::Shape(box), dg::Location(dg::FMat33::IDENTITY, dg::DPoint3D(10, 0, 0)));
    scene->CreateShapeInstance(bare, new tqk::Shape, dg::Location::IDENTITY);
  }
  ~DerivedCSysTest() override { scene->Close(); }

  du::SmartPtr<tqk::ShapeScene> scene;
  du::SmartPtr<tqk::Instance> bar;
  du::SmartPtr<tqk::Instance> bare;
};

TEST_F(DerivedCSysTest, PlacementIsThePartsPlacementInTheWorld)
{
  const du::SmartPtr<LumbraDerivedCSys> system =
      NewLumbraDerivedCSys(scene, new tqk::ObjectSelectionItem(bar), LumbraDerivedCSys::PLACEMENT);
  ASSERT_TRUE(system);
  EXPECT_TRUE(system->IsValid());
  ExpectAt(system->GetPlacement().GetPosition(), dg::DPoint3D(10, 0, 0));
}

TEST_F(DerivedCSysTest, AxisOfAPartOrADatumRunsAlongTheLongestSideOfItsWorldBox)
{
  const du::SmartPtr<LumbraDerivedCSys> part =
      NewLumbraDerivedCSys(scene, new tqk::ObjectSelectionItem(bar), LumbraDerivedCSys::AXIS);
  ASSERT_TRUE(part && part->IsValid());
  ExpectAt(part->GetPlacement().GetPosition(), dg::DPoint3D(10, 0.5, 0.5));
  ExpectAt(part->GetLocation().GetPosition(), dg::DPoint3D(12, 0.5, 0.5));

  du::SmartPtr<tqg::Geometry> axis(new tqg::DatumAxis(dg::DPoint3D(1, 0, 0), dg::DPoint3D(1, 0, 5)));
  const du::SmartPtr<LumbraDerivedCSys> datum =
      NewLumbraDerivedCSys(scene, new tqk::GeometrySelectionItem(axis, bar), LumbraDerivedCSys::AXIS);
  ASSERT_TRUE(datum && datum->IsValid());
  ExpectAt(datum->GetPlacement().GetPosition(), dg::DPoint3D(11, 0, 0));
  ExpectAt(datum->GetLocation().GetPosition(), dg::DPoint3D(11, 0, 5));
}

TEST_F(DerivedCSysTest, NothingForItemsOffTheSceneAndAnInvalidSystemForPartsWithoutGeometry)
{
  EXPECT_FALSE(NewLumbraDerivedCSys(nullptr, new tqk::ObjectSelectionItem(bar), LumbraDerivedCSys::AXIS));
  EXPECT_FALSE(NewLumbraDerivedCSys(scene, nullptr, LumbraDerivedCSys::AXIS));
  EXPECT_FALSE(NewLumbraDerivedCSys(scene, new tqk::ObjectSelectionItem(new tqk::Instance("elsewhere")),
                                    LumbraDerivedCSys::PLACEMENT));

  const du::SmartPtr<LumbraDerivedCSys> empty =
      NewLumbraDerivedCSys(scene, new tqk::ObjectSelectionItem(bare), LumbraDerivedCSys::AXIS);
  ASSERT_TRUE(empty);
  EXPECT_FALSE(empty->IsValid());
  EXPECT_EQ(empty->GetPlacement(), dg::Location::IDENTITY);
}

} // namespace
