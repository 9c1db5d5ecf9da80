#include "tests/centerlines/CenterLineSceneFixture.h"
#include "tests/centerlines/PointText.h"

#include <tqannotations/CenterLinesInfo.h>
#include <tqannotations/CenterLinesMarkup.h>
#include <tqk/GeometrySelectionItem.h>
#include <tqk/Instance.h>
#include <tqk/SerializedContentElement.h>
#include <tqk/Shape.h>

#include <memory>

namespace {

using namespace centerline_tests;

//! A request that counts its answers, also those that come after the test's own end (a line
//! that goes answers its request).
struct CountedRequest
{
  du::SmartPtr<tqk::AsyncEvent> event{new tqk::AsyncEvent};
  std::shared_ptr<int> answers = std::make_shared<int>(0);

  CountedRequest()
  {
    event->WhenDone([count = answers](const tqk::BaseAsyncEvent&) { ++*count; });
  }
};

dg::DPoint3D PointOf(const CenterLinesAnnotation& line, bool first)
{
  tqannotations::CenterLinesInfo info;
  line.GetCenterLinesInfo(info);
  return first ? info.point1 : info.point2;
}

using CenterLineMeasurement = CenterLineSceneTest;

TEST_F(CenterLineMeasurement, RunsInTheHostsOrderAndAnswersTheRequestOnce)
{
  const du::SmartPtr<ProbeLine> line = NewLine();
  const auto log = Observe(line);
  CountedRequest request;

  const du::SmartPtr<tqk::SelectionItem> plate = PartItem("frame/plate");
  const du::SmartPtr<tqk::SelectionItem> cover = PartItem("housing/cover");
  EXPECT_TRUE(line->SetObjects({plate, cover}, request.event, true));
  EXPECT_EQ(line->GetObject(0), plate);
  EXPECT_EQ(line->GetObject(1), cover);
  EXPECT_FALSE(line->GetObject(2));
  // Both slots stand on parts: their geometry is asked for, and nothing answers inside the call.
  EXPECT_TRUE(line->steps.empty());
  EXPECT_TRUE(request.event->IsPending());
  EXPECT_EQ(HoldersInScene(), 0u);

  Pump();
  EXPECT_EQ(line->steps, (std::vector<std::string>{"geometry", "bounds"}));
  EXPECT_EQ(request.event->GetStatus(), tqk::BaseAsyncEvent::COMPLETED);
  EXPECT_EQ(*request.answers, 1);
  EXPECT_EQ(HoldersInScene(), 1u);
  EXPECT_EQ(Count(*log, "valid"), 1u);

  // The plate's axis: the longest side of its box, through the box's centre.
  EXPECT_EQ(PointOf(*line, true).x, 0.0);
  EXPECT_EQ(PointOf(*line, false).x, 10.0);
  tqannotations::CenterLinesInfo info;
  line->GetCenterLinesInfo(info);
  EXPECT_EQ(info.location2.x, 40.0); // the cover's placement
  EXPECT_EQ(info.location2.y, 0.0);

  // A completion with no request left answers nothing.
  line->MeasurementComplete(nullptr);
  EXPECT_EQ(*request.answers, 1);
  EXPECT_EQ(HoldersInScene(), 1u);
}

TEST_F(CenterLineMeasurement, ItemsWithoutPartsGoStraightOnToTheViewBounds)
{
  const du::SmartPtr<ProbeLine> line = NewLine();
  du::SmartPtr<tqk::SelectionItem> unplaced(
      new tqk::ObjectSelectionItem(new tqk::Instance(du::Symbol("loose"))));
  unplaced->SetContentType(tqk::mcad_selection::Instance);

  line->SetObjects({unplaced}, nullptr, true);
  EXPECT_EQ(line->steps, std::vector<std::string>{"geometry"}); // no geometry to wait for
  Pump();
  EXPECT_EQ(line->steps, (std::vector<std::string>{"geometry", "bounds"}));
}

TEST_F(CenterLineMeasurement, SlotsThatFailValidationAnswerWithTheErrorWhenAskedToStart)
{
  const du::SmartPtr<ProbeLine> line = NewLine();
  CountedRequest started;
  line->SetObjects({}, started.event, true);
  EXPECT_EQ(started.event->GetStatus(), tqk::BaseAsyncEvent::FAILED);
  EXPECT_EQ(started.event->GetErrorMessage(), du::Symbol("Failed to create center line"));
  EXPECT_EQ(started.event->GetErrorCode(), 1);

  CountedRequest notStarted;
  line->SetObjects({}, notStarted.event, false);
  Pump();
  EXPECT_TRUE(notStarted.event->IsPending());
  EXPECT_EQ(HoldersInScene(), 0u);
}

TEST_F(CenterLineMeasurement, ACompletionAfterThePicksWereClearedDrawsNothingAndFails)
{
  const du::SmartPtr<ProbeLine> line = MeasuredLine();
  ASSERT_EQ(HoldersInScene(), 1u);

  line->ClearSlot(0); // slot 0 empty: the drawn line goes
  Pump();
  EXPECT_EQ(HoldersInScene(), 0u);

  CountedRequest request;
  line->SetObjects({}, request.event, false);
  line->AddView(builder.GetView()); // measures again when the bounds arrive
  Pump();
  EXPECT_EQ(request.event->GetStatus(), tqk::BaseAsyncEvent::FAILED);
  EXPECT_EQ(HoldersInScene(), 0u);

  // Nothing stale comes back: neither attaching again nor a style change draws the old line.
  line->DetachScene();
  line->AttachScene(builder.GetScene());
  tqannotations::CenterStyle style;
  line->GetLineStyle(style);
  style.isHalo = !style.isHalo;
  line->SetLineStyle(style, tqannotations::CenterStyle::HALO);
  EXPECT_EQ(HoldersInScene(), 0u);
}

TEST_F(CenterLineMeasurement, AnItemWithoutGeometryNeverMeasuredFailsInsteadOfSnappingToTheOrigin)
{
  const du::SmartPtr<tqk::Instance> hollow(new tqk::Instance(du::Symbol("hollow")));
  builder.GetScene()->CreateShapeInstance(hollow, new tqk::Shape, dg::Location::IDENTITY);
  du::SmartPtr<tqk::SelectionItem> item(new tqk::ObjectSelectionItem(hollow));
  item->SetContentType(tqk::mcad_selection::Instance);

  const du::SmartPtr<ProbeLine> line = NewLine();
  CountedRequest request;
  line->SetObjects({item}, request.event, true);
  Pump();
  EXPECT_EQ(request.event->GetStatus(), tqk::BaseAsyncEvent::FAILED);
  EXPECT_EQ(*request.answers, 1);
  EXPECT_EQ(HoldersInScene(), 0u);
}

TEST_F(CenterLineMeasurement, AnItemWithoutGeometryKeepsTheEndPointsOfAMeasuredLineAndOfItsCopy)
{
  const du::SmartPtr<ProbeLine> line = MeasuredLine();
  const du::SmartPtr<tqk::Instance> hollow(new tqk::Instance(du::Symbol("hollow")));
  builder.GetScene()->CreateShapeInstance(hollow, new tqk::Shape, dg::Location::IDENTITY);
  du::SmartPtr<tqk::SelectionItem> item(new tqk::ObjectSelectionItem(hollow));
  item->SetContentType(tqk::mcad_selection::Instance);

  const du::SmartPtr<CenterLinesAnnotation> copy(new CenterLinesAnnotation(*line));
  lines.push_back(copy);
  copy->AttachScene(builder.GetScene());
  for (const du::SmartPtr<CenterLinesAnnotation>& measured :
       {du::SmartPtr<CenterLinesAnnotation>(line), copy}) {
    CountedRequest request;
    measured->SetObjects({item}, request.event, true);
    Pump();
    EXPECT_EQ(request.event->GetStatus(), tqk::BaseAsyncEvent::COMPLETED);
    EXPECT_EQ(PointOf(*measured, false).x, 10.0);
  }
  EXPECT_EQ(HoldersInScene(), 2u);
}

TEST_F(CenterLineMeasurement, PickingAnewMeasuresAgainAndTheDrawnLineMovesToTheNewFirstItem)
{
  const du::SmartPtr<ProbeLine> line = MeasuredLine();
  ASSERT_EQ(DrawnLines().size(), 1u);
  ASSERT_EQ(Text(DrawnLines()[0]->GetPoints()[1]), "(0, 5, 1)");

  // The rib for the active slot: the line runs along the rib.
  line->SetActiveSlot(1);
  EXPECT_TRUE(line->SetActiveObject(PartItem("frame/rib")));
  Pump();
  ASSERT_EQ(DrawnLines().size(), 1u);
  EXPECT_EQ(Text(DrawnLines()[0]->GetPoints()[1]), "(20, 5, 1)");
  EXPECT_EQ(Text(DrawnLines()[0]->GetPoints()[2]), "(30, 5, 1)");

  // Both items picked anew: a line the user measured takes the new ends, unlike a loaded one.
  line->SetObjects({PartItem("housing/bolt"), PartItem("frame/plate")}, nullptr, true);
  Pump();
  ASSERT_EQ(DrawnLines().size(), 1u);
  EXPECT_EQ(Text(DrawnLines()[0]->GetPoints()[1]), "(60, 5, 1)");
  EXPECT_EQ(Text(PointOf(*line, false)), "(70, 5, 1)");
}

TEST_F(CenterLineMeasurement, PickingACoordinateSystemMeasuresAgainAndACurvedFaceTakesTheLineAway)
{
  const du::SmartPtr<ProbeLine> line = MeasuredLine();
  builder.BuildCenterLineParts();
  const du::SmartPtr<tqk::ShapeInstance> bored = builder.FindPart("bored");
  const auto FaceOfBored = [&](std::size_t index) {
    du::SmartPtr<tqk::GeometrySelectionItem> item(new tqk::GeometrySelectionItem(
        bored->GetShape()->GetShapeData()->GetFaces()[index], bored->GetInstance()));
    item->SetContentType(tqk::mcad_selection::Face3D);
    return item;
  };
  const std::size_t boreFace = bored->GetShape()->GetShapeData()->GetFaces().size() - 1;
  const std::size_t topFace = 1;

  EXPECT_TRUE(line->SetCSysObject(FaceOfBored(boreFace)));
  Pump();
  EXPECT_TRUE(DrawnLines().empty()) << "a curved face gives no axes to run along";
  EXPECT_TRUE(line->SetCSysObject(FaceOfBored(topFace)));
  Pump();
  EXPECT_EQ(DrawnLines().size(), 1u) << "a planar face does";
}

TEST_F(CenterLineMeasurement, ALoadedOrClonedLineKeepsItsEndPointsThroughANewMeasurement)
{
  const du::SmartPtr<ProbeLine> line = MeasuredLine();
  const auto clone = du::SmartPtr<CenterLinesAnnotation>::DynamicCast(line->Clone());
  ASSERT_TRUE(clone);
  lines.push_back(clone);
  clone->AttachScene(builder.GetScene());

  // The rib lies elsewhere, but the clone's ends stay; its item placements follow the new picks.
  CountedRequest request;
  clone->SetObjects({PartItem("frame/rib"), PartItem("housing/bolt")}, request.event, true);
  Pump();
  EXPECT_EQ(request.event->GetStatus(), tqk::BaseAsyncEvent::COMPLETED);
  tqannotations::CenterLinesInfo info;
  clone->GetCenterLinesInfo(info);
  EXPECT_EQ(info.point1.x, 0.0);
  EXPECT_EQ(info.point2.x, 10.0);
  EXPECT_EQ(info.location1.x, 20.0);
  EXPECT_EQ(info.location2.x, 60.0);
  EXPECT_TRUE(info.jogs.empty());
}

TEST_F(CenterLineMeasurement, ACloneOfALineNeverMeasuredTakesItsEndPointsFromItsPicks)
{
  const du::SmartPtr<ProbeLine> unpicked = NewLine();
  const auto clone = du::SmartPtr<CenterLinesAnnotation>::DynamicCast(unpicked->Clone());
  ASSERT_TRUE(clone);
  lines.push_back(clone);
  clone->AttachScene(builder.GetScene());

  // Created from file, but with no end points to keep: not a line snapped to the origin.
  CountedRequest request;
  clone->SetObjects({PartItem("frame/plate"), PartItem("housing/cover")}, request.event, true);
  Pump();
  EXPECT_EQ(request.event->GetStatus(), tqk::BaseAsyncEvent::COMPLETED);
  EXPECT_EQ(PointOf(*clone, true).x, 0.0);
  EXPECT_EQ(PointOf(*clone, false).x, 10.0);
  EXPECT_EQ(PointOf(*clone, false).y, 5.0);
}

TEST_F(CenterLineMeasurement, ALoadedLineKeepsItsSavedEndPointsThroughANewMeasurement)
{
  const du::SmartPtr<ProbeLine> line = MeasuredLine();
  tqk::SerializedContentElement document(du::Symbol("document"));
  line->Visit(document);

  const du::SmartPtr<ProbeLine> loaded = NewLine();
  ASSERT_TRUE(loaded->InitializeFromSerializedContent(&document));
  CountedRequest request;
  loaded->SetObjects({PartItem("frame/rib"), PartItem("housing/bolt")}, request.event, true);
  Pump();
  EXPECT_EQ(request.event->GetStatus(), tqk::BaseAsyncEvent::COMPLETED);
  EXPECT_EQ(PointOf(*loaded, true).x, 0.0);
  EXPECT_EQ(PointOf(*loaded, false).x, 10.0);
  EXPECT_EQ(HoldersInScene(), 2u);
}

TEST_F(CenterLineMeasurement, EveryRequestIsAnsweredOnceEvenWhenReplacedOrLeftPending)
{
  CountedRequest replaced;
  CountedRequest last;
  {
    const du::SmartPtr<ProbeLine> line = NewLine();
    line->SetObjects({PartItem("frame/plate")}, replaced.event, false);
    line->SetObjects({PartItem("frame/plate")}, last.event, false);
    EXPECT_EQ(replaced.event->GetStatus(), tqk::BaseAsyncEvent::FAILED);
    EXPECT_TRUE(last.event->IsPending());
    line->DetachScene();
    annoSet->RemoveAnnotationFromSet(line, nullptr);
    lines.clear();
  }
  EXPECT_EQ(last.event->GetStatus(), tqk::BaseAsyncEvent::FAILED);
  EXPECT_EQ(*replaced.answers, 1);
  EXPECT_EQ(*last.answers, 1);
}

TEST_F(CenterLineMeasurement, WithoutASceneTheLinesAreRebuiltButNothingIsDrawn)
{
  const du::SmartPtr<ProbeLine> line = MeasuredLine();
  line->DetachScene();
  const auto log = Observe(line);
  line->MeasurementComplete(nullptr);
  EXPECT_EQ(Count(*log, "valid"), 0u);
  std::vector<du::SmartPtr<tqannotations::CenterLinesRepresentation>> representations;
  line->GetRepresentations(representations);
  EXPECT_EQ(representations.size(), 1u);
}

} // namespace
