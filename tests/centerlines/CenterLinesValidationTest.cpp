#include <tqannotations/CenterLinesAnnotation.h>
#include <tqannotations/CenterLinesOperationStep.h>
#include <tqannotations/ConstructionCurve.h>
#include <tqk/AnnoSet.h>
#include <tqk/GeometrySelectionItem.h>
#include <tqk/Kernel.h>
#include <tqk/ObjectSelectionItem.h>
#include <tqk/SerializedContentElement.h>
#include <tqk/World.h>
#include <tqk/illustration/IllustrationBuilder.h>
#include <tqk/illustration/SbomInstanceSelectionItem.h>
#include <tqk/mcad_selection.h>

#include <gtest/gtest.h>

namespace {

using tqannotations::CenterLinesAnnotation;
namespace mcad = tqk::mcad_selection;

class CenterLinesValidationTest : public ::testing::Test
{
protected:
  CenterLinesValidationTest() : set(new tqk::AnnoSet)
  {
    tqk::World::GetWorld()->GetPreferences()->Clear();
    builder.BuildSample();
    builder.BuildCenterLineParts();
    builder.GetScene()->SetAnnoSet(set);
  }
  ~CenterLinesValidationTest() override
  {
    for (const du::SmartPtr<CenterLinesAnnotation>& line : lines)
      line->DetachScene();
    tqk::Kernel::GetKernel()->PumpQueue();
  }

  //! A center line in the scene (and its annotation set) holding the items, nothing measured.
  du::SmartPtr<CenterLinesAnnotation> Line(const std::vector<du::SmartPtr<tqk::SelectionItem>>& items)
  {
    du::SmartPtr<CenterLinesAnnotation> line(new CenterLinesAnnotation);
    line->AttachScene(builder.GetScene());
    set->AddAnnotation(line);
    line->SetObjects(items, nullptr, false);
    lines.push_back(line);
    return line;
  }
  du::SmartPtr<tqk::SelectionItem> Item(const du::SmartPtr<tqk::Object>& object, const du::Symbol& type)
  {
    du::SmartPtr<tqk::ObjectSelectionItem> item(new tqk::ObjectSelectionItem(object));
    item->SetContentType(type);
    return item;
  }
  du::SmartPtr<tqk::SelectionItem> Collection(const char* idPath)
  {
    du::SmartPtr<tqk::illustration::SbomInstanceSelectionItem> item(
        new tqk::illustration::SbomInstanceSelectionItem(builder.GetTree()->FindInstance(idPath)));
    item->SetContentType(mcad::Collection);
    return item;
  }
  du::SmartPtr<tqk::SelectionItem> Geometry(const du::SmartPtr<tqg::Geometry>& geometry, const char* part,
                                            const du::Symbol& type)
  {
    du::SmartPtr<tqk::GeometrySelectionItem> item(
        new tqk::GeometrySelectionItem(geometry, builder.FindPart(part)->GetInstance()));
    item->SetContentType(type);
    return item;
  }
  du::SmartPtr<tqk::SelectionItem> Part(const char* idPath)
  {
    return Item(builder.FindPart(idPath)->GetInstance(), mcad::Instance);
  }

  tqk::illustration::IllustrationBuilder builder;
  du::SmartPtr<tqk::AnnoSet> set;
  std::vector<du::SmartPtr<CenterLinesAnnotation>> lines;
};

TEST_F(CenterLinesValidationTest, TheFirstSlotMustHoldAnItemAndEmptyOthersPass)
{
  const du::SmartPtr<CenterLinesAnnotation> empty = Line({});
  EXPECT_FALSE(empty->ValidateObjects());
  EXPECT_TRUE(empty->ValidateObject(1));
  EXPECT_TRUE(empty->ValidateObject(2));
  EXPECT_FALSE(empty->ValidateObject(3)) << "past the last slot";
  EXPECT_TRUE(Line({Part("frame/plate")})->ValidateObjects());

  // Without a scene of parts every filled slot passes.
  du::SmartPtr<CenterLinesAnnotation> unplaced(new CenterLinesAnnotation);
  unplaced->SetObjects({Item(nullptr, "SomethingElse")}, nullptr, false);
  EXPECT_TRUE(unplaced->ValidateObjects());
  EXPECT_FALSE(Line({Item(nullptr, "SomethingElse")})->ValidateObject(0)) << "an unknown content type";
}

TEST_F(CenterLinesValidationTest, ASecondLineOnTheSameCollectionIsRefusedInTheFirstSlotOnly)
{
  const du::SmartPtr<CenterLinesAnnotation> first = Line({Collection("frame")});
  EXPECT_TRUE(first->ValidateObject(0));
  EXPECT_EQ(first->GetPrimarySlotID(), du::Symbol("frame"));

  const du::SmartPtr<CenterLinesAnnotation> second = Line({Collection("frame"), Collection("frame")});
  EXPECT_FALSE(second->ValidateObject(0));
  EXPECT_TRUE(second->ValidateObject(1));
  ASSERT_EQ(first->GetCollidingExplodeLinesForSlot("frame").size(), 1u);
  EXPECT_EQ(first->GetCollidingExplodeLinesForSlot("frame").front(), second);

  // Members of one weld stand for the whole weld.
  EXPECT_EQ(Line({Collection("frame/rib")})->GetPrimarySlotID(), du::Symbol("frame"));
  EXPECT_EQ(Line({Item(builder.FindPart("frame/plate")->GetInstance(), mcad::Face3D)})->GetPrimarySlotID(),
            du::Symbol::EMPTY)
      << "an object item that is no instance or assembly has no id";
}

TEST_F(CenterLinesValidationTest, ALineThatLeavesACollectionLeavesItFreeForAnother)
{
  const du::SmartPtr<CenterLinesAnnotation> moved = Line({Collection("frame")});
  moved->SetObjects({Collection("housing/cover")}, nullptr, false);
  EXPECT_TRUE(Line({Collection("frame")})->ValidateObject(0)) << "picked anew";
  EXPECT_FALSE(Line({Collection("housing/cover")})->ValidateObject(0));

  const du::SmartPtr<CenterLinesAnnotation> cleared = Line({Collection("housing")});
  cleared->ClearSlot(0);
  EXPECT_TRUE(Line({Collection("housing")})->ValidateObject(0)) << "its first slot cleared";

  // Undoing an edit gives a line back the slots it had, and with them its item; redoing takes it
  // away again.
  const du::SmartPtr<CenterLinesAnnotation> edited = Line({Collection("housing/bolt")});
  du::SmartPtr<tqannotations::CenterLinesOperationStep> edit(
      new tqannotations::CenterLinesOperationStep(edited));
  edited->SetObjects({Part("frame/plate")}, nullptr, false);
  edit->SetRedo();
  EXPECT_TRUE(moved->GetCollidingExplodeLinesForSlot("housing/bolt").empty());
  edit->Undo();
  EXPECT_EQ(moved->GetCollidingExplodeLinesForSlot("housing/bolt").size(), 1u);
  edit->Redo();
  EXPECT_TRUE(moved->GetCollidingExplodeLinesForSlot("housing/bolt").empty());

  // So do a new active item, a dragged first end let go, and one dropped on an item.
  edited->SetActiveObject(Collection("housing/bolt"));
  EXPECT_EQ(moved->GetCollidingExplodeLinesForSlot("housing/bolt").size(), 1u);
  du::SmartPtr<tqk::SelectionItem> nothing;
  edited->SetPoint(dg::DPoint3D(1, 2, 3), 2.0f, nothing, CenterLinesAnnotation::FIRST_END);
  EXPECT_TRUE(moved->GetCollidingExplodeLinesForSlot("housing/bolt").empty());
  edited->SetAttachedItem(Collection("housing/bolt"), CenterLinesAnnotation::FIRST_END);
  EXPECT_EQ(moved->GetCollidingExplodeLinesForSlot("housing/bolt").size(), 1u);
}

TEST_F(CenterLinesValidationTest, ACopyALoadedLineAndAChangedWeldAreSeenByTheNextLine)
{
  const du::SmartPtr<CenterLinesAnnotation> original = Line({Collection("housing/cover")});
  const du::SmartPtr<tqk::Annotation> copy = original->Clone();
  copy->AttachScene(builder.GetScene());
  set->AddAnnotation(copy);
  EXPECT_EQ(original->GetCollidingExplodeLinesForSlot("housing/cover").size(), 1u) << "the copy";
  copy->DetachScene();

  // A loaded line stands on its item once the host has found its stored pick again.
  tqk::SerializedContentElement saved("annotation");
  original->Visit(saved);
  const du::SmartPtr<CenterLinesAnnotation> loaded = Line({});
  ASSERT_TRUE(loaded->InitializeFromSerializedContent(&saved));
  std::string stored;
  loaded->GetStoredSelections().at(0)->GetField(tqk::illustration::SbomInstanceSelectionItem::ID_FIELD,
                                                stored);
  loaded->SetObjects({Collection(stored.c_str())}, nullptr, false);
  EXPECT_EQ(original->GetCollidingExplodeLinesForSlot("housing/cover").size(), 2u)
      << "the copy and the loaded";

  // A member of a weld stands for the weld only while the weld holds.
  Line({Collection("frame/rib")});
  EXPECT_EQ(original->GetCollidingExplodeLinesForSlot("frame").size(), 1u);
  builder.GetTree()->FindInstance("frame")->SetWeld(false);
  EXPECT_TRUE(original->GetCollidingExplodeLinesForSlot("frame").empty());
  EXPECT_EQ(original->GetCollidingExplodeLinesForSlot("frame/rib").size(), 1u);
}

TEST_F(CenterLinesValidationTest, ASlotStandsOnThePartOfItsItemAndBearsThatName)
{
  const du::SmartPtr<tqk::Object> plate = builder.FindPart("frame/plate")->GetInstance();
  plate->SetObjectName(du::Symbol("Plate 1"));
  builder.GetTree()->FindInstance("housing/cover")->SetObjectName(du::Symbol("Cover"));

  const auto onFace =
      Line({Geometry(builder.FindPart("frame/plate")->GetShape()->GetShapeData()->GetFaces().front(),
                     "frame/plate", mcad::Face3D)});
  EXPECT_EQ(onFace->GetPrimarySlotID(), du::Symbol("frame/plate")) << "geometry stands on its part";
  EXPECT_EQ(onFace->GetObjectDescription(), "Plate 1");

  const auto faceOfObject = Line({Item(plate, mcad::Face3D)});
  EXPECT_EQ(faceOfObject->GetPrimarySlotID(), du::Symbol::EMPTY);
  EXPECT_EQ(faceOfObject->GetObjectDescription(), "Plate 1") << "no id, but the object's name";

  const auto outsideAnyWeld = Line({Collection("housing/cover")});
  EXPECT_EQ(outsideAnyWeld->GetPrimarySlotID(), du::Symbol("housing/cover"));
  EXPECT_EQ(outsideAnyWeld->GetObjectDescription(), "Cover") << "the structure instance's own name";
  EXPECT_EQ(Line({Collection("frame/plate")})->GetObjectDescription(), "plate") << "the member, not its weld";
  EXPECT_EQ(Line({})->GetPrimarySlotID(), du::Symbol::EMPTY);
}

TEST_F(CenterLinesValidationTest, AnnotationsAndConstructionCurvesByTypeAndSlot)
{
  const du::SmartPtr<tqk::Object> type32(new tqannotations::Annotation(32));
  const du::SmartPtr<tqk::Object> type2(new tqannotations::Annotation(2));
  const du::SmartPtr<tqg::Edge> edge(new tqg::Edge("e", {dg::DPoint3D(0, 0, 0), dg::DPoint3D(1, 0, 0)}));
  const du::SmartPtr<tqk::Object> oneEdge(new tqannotations::ConstructionCurve("c", {edge}));
  const du::SmartPtr<tqk::Object> twoEdges(new tqannotations::ConstructionCurve("c", {edge, edge}));

  const auto check = [&](const du::SmartPtr<tqk::Object>& object) {
    const du::SmartPtr<tqk::SelectionItem> item = Item(object, mcad::Annotation);
    const du::SmartPtr<CenterLinesAnnotation> line = Line({item, item, item});
    return std::vector<bool>{line->ValidateObject(0), line->ValidateObject(1), line->ValidateObject(2)};
  };
  for (int type : {4, 16, 64, 128})
    EXPECT_EQ(check(new tqannotations::Annotation(type)), (std::vector<bool>{true, true, true}))
        << "type " << type;
  EXPECT_EQ(check(type32), (std::vector<bool>{true, true, false}));
  EXPECT_EQ(check(type2), (std::vector<bool>{false, false, false}));
  EXPECT_EQ(check(oneEdge), (std::vector<bool>{true, true, false}));
  EXPECT_EQ(check(twoEdges), (std::vector<bool>{false, false, false}));
  EXPECT_EQ(check(builder.FindPart("frame/plate")->GetInstance()), (std::vector<bool>{false, false, false}))
      << "an annotation item that holds no annotation is refused everywhere";
}

TEST_F(CenterLinesValidationTest, ACoordinateSystemFaceMustBePlanarAndAnEdgeStraight)
{
  const du::SmartPtr<tqg::Shape> bored = builder.FindPart("bored")->GetShape()->GetShapeData();
  const auto bore = Geometry(bored->GetFaces().back(), "bored", mcad::Face3D);
  const auto top = Geometry(bored->GetFaces()[1], "bored", mcad::Face3D);
  const auto rim = Geometry(bored->GetEdges().back(), "bored", mcad::Edge3D);
  const auto straight = Geometry(bored->GetEdges().front(), "bored", mcad::Edge3D);
  const auto datum = Geometry(builder.FindPart("marked")->GetShape()->GetShapeData()->GetDatums().front(),
                              "marked", mcad::Datum3D);
  EXPECT_FALSE(Line({bore, bore, bore})->ValidateObject(2));
  EXPECT_TRUE(Line({bore, bore, bore})->ValidateObject(0)) << "between items no face is tested";
  EXPECT_TRUE(Line({top, top, top})->ValidateObject(2));
  EXPECT_FALSE(Line({rim, rim, rim})->ValidateObject(2));
  EXPECT_TRUE(Line({straight, straight, straight})->ValidateObject(2));
  EXPECT_TRUE(Line({datum, datum, datum})->ValidateObjects());
}

TEST_F(CenterLinesValidationTest, StoredSelectionsAreWrittenByteForByte)
{
  const du::SmartPtr<CenterLinesAnnotation> line = Line({});
  du::SmartPtr<tqk::SelectionItemRepresentation> selection(
      new tqk::SelectionItemRepresentation("MCAD_Collection"));
  selection->SetField("sbomInstanceId", "frame", true);
  du::OutputBuffer buffer;
  line->SerializeSelectionItemData(buffer, selection);
  std::vector<std::uint8_t> expected = {15, 0, 0, 0};
  for (char c : std::string("MCAD_Collection"))
    expected.push_back(static_cast<std::uint8_t>(c));
  expected.insert(expected.end(), {1, 0, 0, 0, 14, 0, 0, 0});
  for (char c : std::string("sbomInstanceId"))
    expected.push_back(static_cast<std::uint8_t>(c));
  expected.insert(expected.end(), {1, 0, 0, 0, 5, 0, 0, 0, 'f', 'r', 'a', 'm', 'e'});
  EXPECT_EQ(buffer.GetBytes(), expected);

  du::OutputBuffer list(du::OutputBuffer::MOST_SIGNIFICANT_FIRST);
  line->SerializeSelectionVector(list, {new tqk::SelectionItemRepresentation("X")});
  EXPECT_EQ(list.GetBytes(), (std::vector<std::uint8_t>{0, 0, 0, 1, 0, 0, 0, 1, 'X', 0, 0, 0, 0}))
      << "one selection of content type X without fields, in the buffer's byte order";
  du::OutputBuffer withGap;
  line->SerializeSelectionVector(withGap, {nullptr, new tqk::SelectionItemRepresentation("X")});
  EXPECT_EQ(withGap.GetBytes(),
            (std::vector<std::uint8_t>{2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 'X', 0, 0, 0, 0}))
      << "a missing selection keeps its place, as one without content type or fields";

  const auto plate = Part("frame/plate");
  const auto written = line->GetSelectionItemDataRepresentations({plate, builder.FindPart("frame/rib")});
  ASSERT_EQ(written.size(), 1u) << "what is not a selection item is skipped";
  EXPECT_EQ(written.front()->GetContentType(), mcad::Instance);
}

TEST_F(CenterLinesValidationTest, AssociatedObjectsAreTheFirstItemOrTheMembersOfItsCollection)
{
  du::SmartPtr<tqk::illustration::SbomInstanceSelectionItem> housing(
      new tqk::illustration::SbomInstanceSelectionItem(builder.GetTree()->FindInstance("housing")));
  housing->SetContentType(mcad::Collection);
  housing->AddMemberItem(Part("housing/cover"));
  housing->AddMemberItem(Part("housing/bolt"));
  housing->AddMemberItem(Part("frame/plate"));
  housing->AddMemberItem(
      Geometry(builder.FindPart("housing/cover")->GetShape()->GetShapeData()->GetFaces().front(),
               "housing/cover", mcad::Face3D));
  const std::vector<du::SmartPtr<tqk::Object>> members =
      Line({housing, Part("frame/rib")})->GetAssociatedObjects();
  ASSERT_EQ(members.size(), 3u) << "the object members, not the face, nor the second slot";
  EXPECT_EQ(members[0], housing->GetMemberItems()[0]);
  EXPECT_EQ(members[2], housing->GetMemberItems()[2]);
  EXPECT_TRUE(Line({Item(builder.FindPart("housing/cover")->GetInstance(), mcad::Collection)})
                  ->GetAssociatedObjects()
                  .empty())
      << "a collection that is no structure item has no members to give";
  const auto rib = Part("frame/rib");
  EXPECT_EQ(Line({rib})->GetAssociatedObjects(), std::vector<du::SmartPtr<tqk::Object>>{rib});
  EXPECT_TRUE(Line({})->GetAssociatedObjects().empty());
}

} // namespace
