#include <tqannotations/SlotObject.h>
#include <tqg/Shape.h>
#include <tqk/GeometrySelectionItem.h>
#include <tqk/Instance.h>
#include <tqk/ObjectSelectionItem.h>
#include <tqk/Shape.h>
#include <tqk/ShapeScene.h>

#include <gtest/gtest.h>

namespace {

using tqannotations::SlotObject;
using tqmu::ConstructionConstraint;

class SlotObjectTest : public ::testing::Test
{
protected:
  SlotObjectTest()
      : scene(new tqk::ShapeScene), instance(new tqk::Instance("frame/plate")),
        shape(tqg::Shape::CreateBox(dg::DPoint3D(0, 0, 0), dg::DPoint3D(1, 1, 1)))
  {
    part = scene->CreateShapeInstance(instance, new tqk::Shape(shape), dg::Location::IDENTITY);
  }
  ~SlotObjectTest() override { scene->Close(); }

  du::SmartPtr<tqk::ShapeScene> scene;
  du::SmartPtr<tqk::Instance> instance;
  du::SmartPtr<tqg::Shape> shape;
  du::SmartPtr<tqk::ShapeInstance> part;
};

TEST_F(SlotObjectTest, BoundSlotsFindThePartOfTheirItemAndFollowItsPlacement)
{
  du::SmartPtr<SlotObject> slot(new SlotObject(new tqk::ObjectSelectionItem(instance)));
  EXPECT_TRUE(slot->IsObjectValid());
  EXPECT_FALSE(slot->GetShapeInstance()) << "not bound yet";
  EXPECT_FALSE(slot->GetShapeData());

  slot->Bind(scene);
  EXPECT_EQ(slot->GetShapeInstance(), part);
  EXPECT_EQ(slot->GetShapeData(), shape);
  scene->SetShapeInstanceLocation(part, dg::Location(dg::FMat33::IDENTITY, dg::DPoint3D(5, 0, 0)));
  EXPECT_EQ(slot->GetMatrix()(3, 0), 5.0) << "the matrix is the part's current placement";

  // A geometry item finds its part through its parent; its point is the pick's.
  du::SmartPtr<tqk::GeometrySelectionItem> face(
      new tqk::GeometrySelectionItem(shape->GetFaces()[0], instance));
  face->SetPickPoint(dg::DPoint3D(1, 2, 3));
  SlotObject geometrySlot(face);
  geometrySlot.Bind(scene);
  EXPECT_EQ(geometrySlot.GetShapeInstance(), part);
  dg::DPoint3D point;
  EXPECT_TRUE(geometrySlot.GetPoint(point));
  EXPECT_EQ(point.y, 2.0);
  EXPECT_FALSE(slot->GetPoint(point)) << "an object item has no picked point";
  EXPECT_EQ(geometrySlot.GetFaceData(dg::DBox()), shape->GetFaces()[0]);
  EXPECT_FALSE(geometrySlot.GetEdgeData(dg::DBox()));
  EXPECT_FALSE(slot->GetFaceData(dg::DBox()));

  slot->Bind(nullptr);
  EXPECT_FALSE(slot->GetShapeInstance());
  EXPECT_EQ(slot->GetMatrix()(3, 0), 0.0);
}

TEST_F(SlotObjectTest, EmptySlotsAreInvalidAndConstraintsMustBeAllowedFirst)
{
  SlotObject empty;
  EXPECT_FALSE(empty.IsObjectValid());
  empty.Bind(scene);
  EXPECT_FALSE(empty.GetShapeInstance());

  SlotObject slot(new tqk::ObjectSelectionItem(instance));
  EXPECT_FALSE(slot.SetConstraint(ConstructionConstraint::ON_OBJECT));
  slot.AddConstraint(ConstructionConstraint::ON_OBJECT);
  slot.AddConstraint(ConstructionConstraint::ON_OBJECT);
  EXPECT_EQ(slot.GetConstraints().size(), 1u);
  EXPECT_TRUE(slot.SetConstraint(ConstructionConstraint::ON_OBJECT));

  SlotObject copy(slot);
  EXPECT_EQ(copy.GetSelectionItem(), slot.GetSelectionItem());
  EXPECT_EQ(copy.GetConstraint(), ConstructionConstraint::ON_OBJECT);
}

} // namespace
