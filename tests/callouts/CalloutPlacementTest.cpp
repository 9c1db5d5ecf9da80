#include "callouts/CalloutTestSupport.h"
#include "common/ValueOperators.h"

#include <tqannotations/CalloutAnchorVisitor.h>
#include <tqannotations/CalloutAssemblyVisitor.h>
#include <tqannotations/CalloutLeaderShadow.h>

#include <tqg/Face.h>
#include <tqg/Shape.h>
#include <tqk/SerializedContentElement.h>
#include <tqk/Shape.h>
#include <tqk/illustration/IllustrationBuilder.h>
#include <tqmu/MarkupData.h>
#include <tqmu/ModelContainer.h>
#include <tqmu/ModelLineStrip.h>

#include <gtest/gtest.h>

#include <cmath>

namespace {

using namespace callout_test;

class PositionSets : public CalloutObserver
{
public:
  void OnPositionSet() override { ++count; }
  int count = 0;
};

void ExpectPoint(const dg::DPoint3D& actual, double x, double y, double z)
{
  EXPECT_NEAR(actual.x, x, 1e-6);
  EXPECT_NEAR(actual.y, y, 1e-6);
  EXPECT_NEAR(actual.z, z, 1e-6);
}

//! The points a leader's drag shadow draws: the vertices of the line in its drawing model.
std::vector<dg::DPoint3D> DrawnPoints(const CalloutLeaderShadow& shadow)
{
  const auto content = du::SmartPtr<tqmu::MarkupData>::DynamicCast(shadow.GetContent());
  const auto& model = dynamic_cast<const tqmu::ModelContainer&>(*content->GetModelBase());
  for (const du::SmartPtr<tqmu::ModelBase>& child : model.GetChildren())
    if (const auto line = du::SmartPtr<tqmu::ModelLineStrip>::DynamicCast(child))
      return line->GetVertices();
  return {};
}

//! An illustration with one box part from (0, 0, 0) to (10, 4, 2), placed at (100, 50, 0) and
//! turned a quarter about z, and a callout that counts its position-set events.
struct Placement : ::testing::Test
{
  void SetUp() override
  {
    const dg::Location placement(dg::DPoint3D(100, 50, 0),
                                 dg::Quat::FromAxisAngle(dg::DVec3(0, 0, 1), M_PI / 2), 1.0);
    part = illustration.AddBoxPart(nullptr, "box", dg::DPoint3D(0, 0, 0), dg::DPoint3D(10, 4, 2), placement);
    callout = new TestCallout;
    du::SmartPtr<CalloutObserver> observer(events);
    callout->RegisterObserver(observer);
  }
  void TearDown() override
  {
    callout->DetachScene();
    illustration.TearDown();
  }
  //! The part's centre (5, 2, 1) carried by its placement.
  static void ExpectCentreInScene(const dg::DPoint3D& point) { ExpectPoint(point, 98, 55, 1); }

  tqk::illustration::IllustrationBuilder illustration;
  du::SmartPtr<tqk::ShapeInstance> part;
  du::SmartPtr<TestCallout> callout;
  du::SmartPtr<PositionSets> events{new PositionSets};
};

TEST_F(Placement, WithoutNotifyNoEventIsPosted)
{
  callout->Initialize(Template(), part, false, nullptr);
  EXPECT_EQ(events->count, 0);
  EXPECT_TRUE(callout->IsInitialized());
}

TEST_F(Placement, WithoutAPartOnlyTheDefinitionIsTaken)
{
  callout->Initialize(Template(), part, false, nullptr);
  callout->Initialize(Template(), nullptr, true, nullptr);
  EXPECT_TRUE(callout->GetDefinition());
  EXPECT_EQ(callout->GetLeaderLineCount(true), 0u);
  EXPECT_EQ(events->count, 0);

  du::SmartPtr<TestCallout> fresh(new TestCallout);
  fresh->Initialize(Template(), nullptr, true, nullptr);
  EXPECT_FALSE(fresh->IsInitialized());
}

TEST_F(Placement, ANoteFromATemplateWithoutLeadersSitsAtTheAnchorInTheScene)
{
  callout->Initialize(Template(false), part, true, nullptr);
  EXPECT_EQ(callout->GetType(), Callout::CALLOUT_NOTE);
  EXPECT_EQ(callout->GetLeaderLineCount(true), 0u);
  EXPECT_EQ(events->count, 1) << "one position-set event";
  ExpectCentreInScene(callout->GetPosition());
  dg::DPoint3D label;
  callout->GetMarkupLabelPosition(label);
  ExpectCentreInScene(label);
}

TEST_F(Placement, ALaterInitializeDrawsTheLabelWhereItsPositionSays)
{
  callout->Initialize(Template(), part, true, nullptr);
  const du::SmartPtr<tqk::ShapeInstance> other = illustration.AddBoxPart(
      nullptr, "other", dg::DPoint3D(0, 0, 0), dg::DPoint3D(2, 2, 2), Translation(-50, 0, 0));
  callout->Initialize(Template(), other, true, nullptr);
  EXPECT_EQ(events->count, 2);
  EXPECT_EQ(callout->GetShapeInstanceIdAtPos(0), "other");
  // The new definition starts the label at the origin of leader 0's part, not at the new anchor.
  ExpectPoint(callout->GetPosition(), 0, 0, 0);
  dg::DPoint3D label;
  callout->GetMarkupLabelPosition(label);
  ExpectPoint(label, -50, 0, 0);
}

TEST_F(Placement, APartWithoutBoxOrGeometryAnchorsAtItsOrigin)
{
  const du::SmartPtr<tqk::ShapeInstance> bare = illustration.GetScene()->CreateShapeInstance(
      new tqk::Instance(du::Symbol("bare")), nullptr, Translation(7, 0, 0));
  dg::DPoint3D anchor(1, 1, 1);
  EXPECT_FALSE(callout->CalculateAnchor(bare, anchor));
  ExpectPoint(anchor, 1, 1, 1);
  EXPECT_FALSE(callout->CalculateAnchor(nullptr, anchor));
  callout->Initialize(Template(), bare, false, nullptr);
  ASSERT_TRUE(callout->GetAnchorAtPos(0, anchor));
  ExpectPoint(anchor, 0, 0, 0);

  // Geometry without a face or an edge has an empty box, whose centre is the part's origin.
  const du::SmartPtr<tqk::ShapeInstance> hollow = illustration.GetScene()->CreateShapeInstance(
      new tqk::Instance(du::Symbol("hollow")), new tqk::Shape(new tqg::Shape), Translation(7, 0, 0));
  anchor = dg::DPoint3D(1, 1, 1);
  EXPECT_TRUE(callout->CalculateAnchor(hollow, anchor));
  ExpectPoint(anchor, 0, 0, 0);
}

TEST_F(Placement, SetAnchorPlacesALabelThatWasNeverPlaced)
{
  callout->_Initialize(Template());
  callout->AddLeader(part);
  // An index out of range places nothing, not even a label that was never placed.
  callout->SetAnchor(dg::DPoint3D(0, 4, 0), 1);
  ExpectPoint(callout->GetPosition(), 0, 0, 0);
  dg::DPoint3D unplaced(7, 7, 7);
  callout->GetMarkupLabelPosition(unplaced);
  ExpectPoint(unplaced, 0, 0, 0);
  callout->SetAnchor(dg::DPoint3D(0, 4, 0), 0);
  ExpectPoint(callout->GetPosition(), 0, 4, 0);
  dg::DPoint3D label;
  callout->GetMarkupLabelPosition(label);
  ExpectPoint(label, 96, 50, 0);
}

TEST_F(Placement, SetLabelPositionNeedsThePartOfLeaderZero)
{
  callout->_Initialize(Template());
  callout->AddLeader(nullptr);
  callout->AddLeader(part);
  callout->SetLabelPosition(dg::DPoint3D(1, 2, 3));
  ExpectPoint(callout->GetPosition(), 0, 0, 0);
  callout->SetAnchor(dg::DPoint3D(1, 1, 1), 1);
  ExpectPoint(callout->GetPosition(), 0, 0, 0);
}

TEST_F(Placement, ALeaderBeingDraggedFollowsTheLabelToo)
{
  callout->Initialize(Template(), part, false, nullptr);
  callout->AttachScene(illustration.GetScene());
  const auto leader = du::SmartPtr<CalloutLeader>::DynamicCast(illustration.GetScene()->GetMarkups()[0]);
  ASSERT_TRUE(leader && leader->BeginShadowDrag(illustration.GetView()));
  const auto shadow = du::SmartPtr<CalloutLeaderShadow>::DynamicCast(leader->GetShadow());
  ASSERT_TRUE(shadow);
  callout->SetLabelPosition(dg::DPoint3D(0, 10, 0));
  ExpectPoint(leader->GetPoints()[0], 90, 50, 0);
  const std::vector<dg::DPoint3D> drawn = DrawnPoints(*shadow);
  ASSERT_EQ(drawn.size(), 2u);
  ExpectPoint(drawn[0], 90, 50, 0);
  ExpectCentreInScene(drawn[1]);
  leader->EndShadowDrag();
}

TEST(CalloutAnchorVisitor, MovesThePointOntoTheNamedFaceInPartSpace)
{
  SceneWithView world;
  const du::SmartPtr<tqg::Shape> box = tqg::Shape::CreateBox(dg::DPoint3D(0, 0, 0), dg::DPoint3D(10, 10, 2));
  const du::SmartPtr<tqk::ShapeInstance> part = world.scene->CreateShapeInstance(
      new tqk::Instance(du::Symbol("p")), new tqk::Shape(box), Translation(30, 0, 0));
  CalloutAnchorVisitor visitor;
  visitor.faceName = "top";
  visitor.part = part;
  visitor.point = dg::DPoint3D(4, 6, 9);
  EXPECT_EQ(box->Accept(visitor), tqg::ShapeVisitor::STOP);
  ExpectPoint(visitor.point, 4, 6, 2);

  visitor.faceName = "no such face";
  visitor.point = dg::DPoint3D(4, 6, 9);
  EXPECT_EQ(box->Accept(visitor), tqg::ShapeVisitor::CONTINUE);
  ExpectPoint(visitor.point, 4, 6, 9);

  const du::SmartPtr<tqg::Face> empty(new tqg::Face(du::Symbol("empty"), box->GetFaces()[0]->GetKind()));
  visitor.faceName = "empty";
  EXPECT_EQ(visitor.Visit(empty.Get()), tqg::ShapeVisitor::STOP);
  // No nearest point leaves the point as it was given, in part space.
  ExpectPoint(visitor.point, 4, 6, 9);
}

TEST(CalloutAssemblyVisitor, CollectsTheShownPartsThatHaveABox)
{
  tqk::illustration::IllustrationBuilder illustration;
  illustration.BuildSample();
  const du::SmartPtr<tqk::ShapeInstance> plate = illustration.FindPart("frame/plate");
  const du::SmartPtr<tqk::ShapeInstance> rib = illustration.FindPart("frame/rib");
  du::SmartPtr<tqk::Instance> frame(new tqk::Instance(du::Symbol("frame")));
  frame->AddChild(plate->GetInstance());
  frame->AddChild(rib->GetInstance());
  frame->AddChild(new tqk::Instance(du::Symbol("frame/unshown")));
  frame->AddChild(illustration.AddPart(nullptr, "hollow", new tqg::Shape, dg::Location())->GetInstance());

  CalloutAssemblyVisitor visitor;
  frame->Accept(visitor);
  EXPECT_TRUE(visitor.foundParts.empty()) << "without a scene";
  visitor.scene = illustration.GetScene();
  frame->Accept(visitor);
  ASSERT_EQ(visitor.foundParts.size(), 2u) << "not the part without a box";
  EXPECT_TRUE(visitor.foundParts[0] == plate);
  EXPECT_TRUE(visitor.foundParts[1] == rib);
  illustration.TearDown();
}

} // namespace
