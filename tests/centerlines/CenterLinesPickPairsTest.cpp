#include "tests/centerlines/PointText.h"

#include <tqannotations/CenterLinesAnnotation.h>
#include <tqg/Edge.h>
#include <tqg/Face.h>
#include <tqg/Shape.h>
#include <tqk/GeometrySelectionItem.h>
#include <tqk/Kernel.h>
#include <tqk/ObjectSelectionItem.h>
#include <tqk/World.h>
#include <tqk/illustration/IllustrationBuilder.h>
#include <tqk/mcad_selection.h>

#include <gtest/gtest.h>

#include <string>
#include <type_traits>
#include <utility>

namespace tqannotations {

//! The line's friend that asks it for its pick pairs, which no operation of the library reaches.
class CenterLinesPickPairsProbe
{
public:
  explicit CenterLinesPickPairsProbe(const du::SmartPtr<CenterLinesAnnotation>& line) : m_line(line) {}

  bool ShapeToShape(unsigned i, unsigned j, dg::DPoint3D& p1, dg::DPoint3D& p2) const
  {
    return m_line->ShapeToShape(i, j, p1, p2);
  }
  bool ShapeToFace(unsigned i, unsigned j, dg::DPoint3D& p1, dg::DPoint3D& p2) const
  {
    return m_line->ShapeToFace(i, j, p1, p2);
  }
  bool ShapeToEdge(unsigned i, unsigned j, dg::DPoint3D& p1, dg::DPoint3D& p2) const
  {
    return m_line->ShapeToEdge(i, j, p1, p2);
  }
  bool FaceToEdge(unsigned i, unsigned j, dg::DPoint3D& p1, dg::DPoint3D& p2) const
  {
    return m_line->FaceToEdge(i, j, p1, p2);
  }
  bool ShapeToPoint(unsigned i, unsigned j, dg::DPoint3D& p1, dg::DPoint3D& p2) const
  {
    return m_line->ShapeToPoint(i, j, p1, p2);
  }
  bool FaceToPoint(unsigned i, unsigned j, dg::DPoint3D& p1, dg::DPoint3D& p2) const
  {
    return m_line->FaceToPoint(i, j, p1, p2);
  }
  bool EdgeToEdge(unsigned i, unsigned j, dg::DPoint3D& p1, dg::DPoint3D& p2) const
  {
    return m_line->EdgeToEdge(i, j, p1, p2);
  }
  bool EdgeToPoint(unsigned i, unsigned j, dg::DPoint3D& p1, dg::DPoint3D& p2) const
  {
    return m_line->EdgeToPoint(i, j, p1, p2);
  }
  bool FaceToFace(unsigned i, unsigned j, dg::DPoint3D& p1, dg::DPoint3D& p2) const
  {
    return m_line->FaceToFace(i, j, p1, p2);
  }

private:
  du::SmartPtr<CenterLinesAnnotation> m_line;
};

} // namespace tqannotations

namespace {

using tqannotations::CenterLinesAnnotation;

//! Whether a subclass reaches the pick pairs. They stay private: on some platforms the access
//! of an exported member is part of its linked name, which the host links against.
class Subclass : public CenterLinesAnnotation
{
public:
  template <class Line>
  static auto ReachesPickPairs(int)
      -> decltype(std::declval<Line&>().ShapeToShape(0u, 0u, std::declval<dg::DPoint3D&>(),
                                                     std::declval<dg::DPoint3D&>()),
                  std::true_type());
  template <class Line>
  static std::false_type ReachesPickPairs(...);
};
static_assert(!decltype(Subclass::ReachesPickPairs<Subclass>(0))::value, "the pick pairs are private");

du::SmartPtr<tqg::Face> FaceNamed(const du::SmartPtr<tqg::Shape>& shape, const char* name)
{
  for (const du::SmartPtr<tqg::Face>& face : shape->GetFaces())
    if (face->GetName() == du::Symbol(name))
      return face;
  return nullptr;
}

//! Three parts whose nearest points are single points, so that every answer is known by hand:
//! box A from (0, 0, 0) to (10, 10, 2) where it stands; box B, the same, moved to (20, 15, 5);
//! part C, a lone edge from (0, 0, 0) to (0, 0, 10), also moved to (20, 15, 5). A's corner
//! (10, 10, 2) is nearest to B's corner (20, 15, 5), which is also C's lower end.
class CenterLinesPickPairsTest : public ::testing::Test
{
protected:
  CenterLinesPickPairsTest() : line(new CenterLinesAnnotation), probe(line)
  {
    tqk::World::GetWorld()->GetPreferences()->Clear();
    tqk::Kernel::GetKernel()->PumpQueue();
    const dg::DPoint3D corner(0, 0, 0), far(10, 10, 2);
    boxA = tqg::Shape::CreateBox(corner, far);
    boxB = tqg::Shape::CreateBox(corner, far);
    du::SmartPtr<tqg::Shape> rod(new tqg::Shape);
    edgeC = new tqg::Edge("rod", {dg::DPoint3D(0, 0, 0), dg::DPoint3D(0, 0, 10)});
    rod->AddEdge(edgeC);
    partA = builder.AddPart(nullptr, "A", boxA, At(0, 0, 0));
    partB = builder.AddPart(nullptr, "B", boxB, At(20, 15, 5));
    partC = builder.AddPart(nullptr, "C", rod, At(20, 15, 5));
    line->AttachScene(builder.GetScene());
  }
  ~CenterLinesPickPairsTest() override
  {
    line->DetachScene();
    tqk::Kernel::GetKernel()->PumpQueue();
    builder.TearDown();
  }

  du::SmartPtr<tqk::SelectionItem> Whole(const du::SmartPtr<tqk::ShapeInstance>& part)
  {
    du::SmartPtr<tqk::ObjectSelectionItem> item(new tqk::ObjectSelectionItem(part->GetInstance()));
    item->SetContentType(tqk::mcad_selection::Instance);
    return item;
  }
  du::SmartPtr<tqk::SelectionItem> Geometry(const du::SmartPtr<tqg::Geometry>& geometry,
                                            const du::SmartPtr<tqk::ShapeInstance>& part,
                                            const du::Symbol& type)
  {
    du::SmartPtr<tqk::GeometrySelectionItem> item(
        new tqk::GeometrySelectionItem(geometry, part->GetInstance()));
    item->SetContentType(type);
    return item;
  }
  //! A picked point on part A, in world space.
  du::SmartPtr<tqk::SelectionItem> PointOnA(const dg::DPoint3D& point)
  {
    du::SmartPtr<tqk::GeometrySelectionItem> item(
        new tqk::GeometrySelectionItem(nullptr, partA->GetInstance()));
    item->SetContentType(tqk::mcad_selection::Point3D);
    item->SetPickPoint(point);
    return item;
  }
  void Pick(const du::SmartPtr<tqk::SelectionItem>& first, const du::SmartPtr<tqk::SelectionItem>& second)
  {
    line->SetObjects({first, second}, nullptr, false);
  }

  tqk::illustration::IllustrationBuilder builder;
  du::SmartPtr<CenterLinesAnnotation> line;
  tqannotations::CenterLinesPickPairsProbe probe;
  du::SmartPtr<tqg::Shape> boxA, boxB;
  du::SmartPtr<tqg::Edge> edgeC;
  du::SmartPtr<tqk::ShapeInstance> partA, partB, partC;
  dg::DPoint3D p1 = dg::DPoint3D(-1, -1, -1), p2 = dg::DPoint3D(-2, -2, -2);
};

TEST_F(CenterLinesPickPairsTest, ShapesFacesAndEdgesMeetAtTheHandComputedCorners)
{
  Pick(Whole(partA), Whole(partB));
  ASSERT_TRUE(probe.ShapeToShape(0, 1, p1, p2));
  EXPECT_EQ(Text(p1), "(10, 10, 2)") << "on the first item";
  EXPECT_EQ(Text(p2), "(20, 15, 5)") << "on the second, placed by its part";
  ASSERT_TRUE(probe.ShapeToShape(1, 0, p1, p2));
  EXPECT_EQ(Text(p1), "(20, 15, 5)");

  Pick(Whole(partA), Geometry(FaceNamed(boxB, "left"), partB, tqk::mcad_selection::Face3D));
  ASSERT_TRUE(probe.ShapeToFace(0, 1, p1, p2));
  EXPECT_EQ(Text(p1) + Text(p2), "(10, 10, 2)(20, 15, 5)");

  Pick(Whole(partA), Geometry(edgeC, partC, tqk::mcad_selection::Edge3D));
  ASSERT_TRUE(probe.ShapeToEdge(0, 1, p1, p2));
  EXPECT_EQ(Text(p1) + Text(p2), "(10, 10, 2)(20, 15, 5)");

  Pick(Geometry(FaceNamed(boxA, "right"), partA, tqk::mcad_selection::Face3D),
       Geometry(edgeC, partC, tqk::mcad_selection::Edge3D));
  ASSERT_TRUE(probe.FaceToEdge(0, 1, p1, p2));
  EXPECT_EQ(Text(p1) + Text(p2), "(10, 10, 2)(20, 15, 5)");
  EXPECT_FALSE(probe.FaceToEdge(0, 0, p1, p2)) << "the face's own slot holds no edge";
}

TEST_F(CenterLinesPickPairsTest, APickedPointPairsWithTheNearestPointOfAShapeOrFace)
{
  // As in every pair, p1 lies on the item of the first slot and p2 is the second slot's point.
  Pick(Whole(partA), PointOnA(dg::DPoint3D(15, 5, 1)));
  ASSERT_TRUE(probe.ShapeToPoint(0, 1, p1, p2));
  EXPECT_EQ(Text(p1), "(10, 5, 1)") << "the foot on A's side x = 10";
  EXPECT_EQ(Text(p2), "(15, 5, 1)") << "the picked point";

  Pick(Geometry(FaceNamed(boxA, "top"), partA, tqk::mcad_selection::Face3D), PointOnA(dg::DPoint3D(3, 4, 9)));
  ASSERT_TRUE(probe.FaceToPoint(0, 1, p1, p2));
  EXPECT_EQ(Text(p1), "(3, 4, 2)") << "straight below the point on the top face z = 2";
  EXPECT_EQ(Text(p2), "(3, 4, 9)");

  // A point beyond a corner pairs with that corner: (12, 13, 5) is nearest to (10, 10, 2).
  Pick(Whole(partA), PointOnA(dg::DPoint3D(12, 13, 5)));
  ASSERT_TRUE(probe.ShapeToPoint(0, 1, p1, p2));
  EXPECT_EQ(Text(p1) + Text(p2), "(10, 10, 2)(12, 13, 5)");
}

TEST_F(CenterLinesPickPairsTest, MissingItemsWrongSlotsAndUnsupportedPairsGiveNoPairAndWriteNothing)
{
  Pick(Whole(partA), Whole(partB));
  EXPECT_FALSE(probe.ShapeToShape(0, 2, p1, p2)) << "slot 2 is empty";
  EXPECT_FALSE(probe.ShapeToShape(0, 3, p1, p2)) << "past the last slot";
  EXPECT_FALSE(probe.ShapeToShape(7, 0, p1, p2));
  EXPECT_FALSE(probe.ShapeToFace(0, 1, p1, p2)) << "a whole part is no face";
  EXPECT_FALSE(probe.ShapeToEdge(0, 1, p1, p2));
  EXPECT_FALSE(probe.FaceToPoint(0, 1, p1, p2));
  EXPECT_FALSE(probe.EdgeToEdge(0, 1, p1, p2));
  EXPECT_FALSE(probe.EdgeToPoint(0, 1, p1, p2));
  EXPECT_FALSE(probe.FaceToFace(0, 1, p1, p2));

  // A point item whose pick gave no point pairs with nothing.
  du::SmartPtr<tqk::GeometrySelectionItem> pointless(
      new tqk::GeometrySelectionItem(nullptr, partA->GetInstance()));
  pointless->SetContentType(tqk::mcad_selection::Point3D);
  Pick(Whole(partA), pointless);
  EXPECT_FALSE(probe.ShapeToPoint(0, 1, p1, p2));

  // Without a scene the slots stand on no part, so they have no shape.
  Pick(Whole(partA), PointOnA(dg::DPoint3D(15, 5, 1)));
  line->DetachScene();
  EXPECT_FALSE(probe.ShapeToPoint(0, 1, p1, p2));

  EXPECT_EQ(Text(p1) + Text(p2), "(-1, -1, -1)(-2, -2, -2)");
}

} // namespace
