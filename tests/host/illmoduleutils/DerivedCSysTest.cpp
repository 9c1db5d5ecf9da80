#include <moduleutils/NewLumbraDerivedCSys.h>
#include <tqg/DatumAxis.h>
#include <tqg/Shape.h>
#include <tqk/GeometrySelectionItem.h>
#include <tqk/Instance.h>
#include <tqk/ObjectSelectionItem.h>
#include <tqk/Shape.h>
#include <tqk/ShapeScene.h>
#include <tqk/illustration/IllustrationBuilder.h>

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
  DerivedCSysTest()
      : scene(new tqk::ShapeScene), bar(new tqk::Instance("bar")), bare(new tqk::Instance("bare"))
  {
    // A bar 2 long in X, 1 in Y and Z, placed at (10, 0, 0).
    const du::SmartPtr<tqg::Shape> box = tqg::Shape::CreateBox(dg::DPoint3D(0, 0, 0), dg::DPoint3D(2, 1, 1));
    scene->CreateShapeInstance(bar, new tqk::Shape(box),
                               dg::Location(dg::FMat33::IDENTITY, dg::DPoint3D(10, 0, 0)));
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

TEST_F(DerivedCSysTest, AxisOfAStraightEdgeIsItsEndsAndOfACylinderItsEndCircleCentres)
{
  const auto axisOf = [this](const du::SmartPtr<tqg::Geometry>& geometry) {
    return NewLumbraDerivedCSys(scene, new tqk::GeometrySelectionItem(geometry, bar),
                                LumbraDerivedCSys::AXIS);
  };
  const du::SmartPtr<LumbraDerivedCSys> edge =
      axisOf(new tqg::Edge("slanted", {dg::DPoint3D(0, 0, 0), dg::DPoint3D(2, 1, 1)}));
  ASSERT_TRUE(edge && edge->IsValid());
  ExpectAt(edge->GetPlacement().GetPosition(), dg::DPoint3D(10, 0, 0));
  ExpectAt(edge->GetLocation().GetPosition(), dg::DPoint3D(12, 1, 1));

  const du::SmartPtr<LumbraDerivedCSys> bore =
      axisOf(tqg::Face::CreateCylinder("bore", dg::DPoint3D(1, 0.5, 0), dg::DVec3(0, 0, 1), 0.25, 1.0, 16));
  ASSERT_TRUE(bore && bore->IsValid());
  ExpectAt(bore->GetPlacement().GetPosition(), dg::DPoint3D(11, 0.5, 0));
  ExpectAt(bore->GetLocation().GetPosition(), dg::DPoint3D(11, 0.5, 1));

  // A bent edge has no line of its own: the longest side of its box, through the box's centre.
  const du::SmartPtr<LumbraDerivedCSys> bent =
      axisOf(new tqg::Edge("bent", {dg::DPoint3D(0, 0, 0), dg::DPoint3D(0, 3, 0), dg::DPoint3D(1, 3, 0)}));
  ASSERT_TRUE(bent && bent->IsValid());
  ExpectAt(bent->GetPlacement().GetPosition(), dg::DPoint3D(10.5, 0, 0));
  ExpectAt(bent->GetLocation().GetPosition(), dg::DPoint3D(10.5, 3, 0));
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

namespace {

TEST(DerivedCSysOfBuiltParts, BoreDatumAndRodGiveTheirOwnAxes)
{
  tqk::illustration::IllustrationBuilder builder;
  builder.BuildCenterLineParts();
  const du::SmartPtr<tqk::ShapeScene> scene = builder.GetScene();
  const auto axisOf = [&](const char* part, const du::SmartPtr<tqg::Geometry>& geometry) {
    const du::SmartPtr<tqk::ShapeInstance> shown = builder.FindPart(part);
    EXPECT_TRUE(shown) << part;
    const du::SmartPtr<LumbraDerivedCSys> system = NewLumbraDerivedCSys(
        scene, new tqk::GeometrySelectionItem(geometry, shown ? shown->GetInstance() : nullptr),
        LumbraDerivedCSys::AXIS);
    EXPECT_TRUE(system && system->IsValid()) << part;
    return system ? std::make_pair(system->GetPlacement().GetPosition(), system->GetLocation().GetPosition())
                  : std::make_pair(dg::DPoint3D::BAD, dg::DPoint3D::BAD);
  };

  const du::SmartPtr<tqg::Shape> bored = builder.FindPart("bored")->GetShape()->GetShapeData();
  const du::SmartPtr<tqg::Face> bore = bored->GetFaces().back();
  EXPECT_FALSE(bore->IsPlane());
  const auto boreAxis = axisOf("bored", bore);
  ExpectAt(boreAxis.first, dg::DPoint3D(85, 5, 0));
  ExpectAt(boreAxis.second, dg::DPoint3D(85, 5, 2));

  const du::SmartPtr<tqg::Shape> marked = builder.FindPart("marked")->GetShape()->GetShapeData();
  ASSERT_EQ(marked->GetDatums().size(), 1u);
  const auto datumAxis = axisOf("marked", marked->GetDatums().front());
  ExpectAt(datumAxis.first, dg::DPoint3D(105, 5, 0));
  ExpectAt(datumAxis.second, dg::DPoint3D(105, 5, 10));

  const du::SmartPtr<tqg::Shape> rod = builder.FindPart("rod")->GetShape()->GetShapeData();
  const auto rodAxis = axisOf("rod", rod->GetEdges().front());
  ExpectAt(rodAxis.first, dg::DPoint3D(120, 0, 0));
  ExpectAt(rodAxis.second, dg::DPoint3D(120, 10, 0));
}

} // namespace
