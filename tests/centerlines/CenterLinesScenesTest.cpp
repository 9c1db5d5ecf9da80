#include "tests/centerlines/CenterLineSceneFixture.h"
#include "tests/centerlines/PointText.h"

#include <tqannotations/CenterLinesInfo.h>
#include <tqannotations/CenterLinesMarkup.h>
#include <tqannotations/CenterLinesRepresentation.h>
#include <tqannotations/ConstStrings.h>
#include <tqk/ShapeScene.h>
#include <tqk/ShapeSceneListener.h>

#include <set>

namespace {

using namespace centerline_tests;
using tqannotations::CenterLinesRepresentation;

//! Counts the appearance reports of a scene of parts.
class AppearanceCounter : public tqk::ShapeSceneListener
{
public:
  int reports = 0;
  void OnShapeInstancesAppearanceModified(const ShapeInstances&) override { ++reports; }
  void OnShapeInstancesPositionModified(const ShapeInstances&) override {}
  void OnShapeInstancesRemove(const ShapeInstances&) override {}
  void OnShapeInstancesCreate(const ShapeInstances&) override {}
};

using CenterLineScenes = CenterLineSceneTest;

TEST_F(CenterLineScenes, AttachingBuildsTheHolderOnlyForAMeasuredLineInANewScene)
{
  const du::SmartPtr<ProbeLine> line = MeasuredLine();
  const std::vector<du::SmartPtr<tqk::Markup>> before = builder.GetScene()->GetMarkups();
  ASSERT_EQ(before.size(), 1u);

  EXPECT_TRUE(line->AttachScene(builder.GetScene())); // the same scene: nothing is rebuilt
  EXPECT_EQ(builder.GetScene()->GetMarkups(), before);

  const du::SmartPtr<ProbeLine> unmeasured = NewLine(); // attached, but no holder yet
  EXPECT_EQ(HoldersInScene(), 1u);

  // Another scene, an empty one included, takes the holder out of the old scene first.
  const du::SmartPtr<tqk::ShapeScene> other(new tqk::ShapeScene);
  EXPECT_TRUE(line->AttachScene(other));
  EXPECT_EQ(HoldersInScene(), 0u);
  EXPECT_EQ(other->GetMarkupCount(), 1u);
  EXPECT_TRUE(line->AttachScene(nullptr));
  EXPECT_EQ(other->GetMarkupCount(), 0u);
  EXPECT_FALSE(line->GetScene());
}

TEST_F(CenterLineScenes, DetachingLetsTheSceneGoAndTellsTheObserversEvenWithoutAHolder)
{
  const du::SmartPtr<ProbeLine> unmeasured = NewLine();
  const auto log = Observe(unmeasured);
  EXPECT_TRUE(unmeasured->DetachScene());
  EXPECT_EQ(Count(*log, "invalid"), 1u);

  const du::SmartPtr<ProbeLine> line = MeasuredLine();
  const int sceneReferences = builder.GetScene()->GetReferenceCount();
  line->DetachScene();
  EXPECT_EQ(HoldersInScene(), 0u);
  // Neither the line nor its drawn lines keep the scene.
  EXPECT_LT(builder.GetScene()->GetReferenceCount(), sceneReferences - 1);
}

TEST_F(CenterLineScenes, CopiesAndClonesKeepNoSceneAliveUntilAttached)
{
  const du::SmartPtr<ProbeLine> line = MeasuredLine();
  const int sceneReferences = builder.GetScene()->GetReferenceCount();
  const du::SmartPtr<tqk::Annotation> clone = line->Clone();
  const du::SmartPtr<CenterLinesAnnotation> copy(new CenterLinesAnnotation(*line));
  EXPECT_FALSE(copy->GetScene());
  EXPECT_EQ(builder.GetScene()->GetReferenceCount(), sceneReferences);

  // Attached, the copy draws its own line in the scene.
  lines.push_back(copy);
  copy->AttachScene(builder.GetScene());
  EXPECT_EQ(HoldersInScene(), 2u);
}

TEST_F(CenterLineScenes, CopiesAndClonesDrawInTheSourcesStyleAlsoWhenMeasuredAgain)
{
  const du::SmartPtr<ProbeLine> line = MeasuredLine();
  // Routed along a picked, turned coordinate system, so that the route shows its axes.
  line->SetCSys(tqannotations::CenterStyle::CSYS_ID_NONE, tqannotations::CenterStyle::CSYS_PICKED,
                dg::Location(dg::DPoint3D(0, 0, 0), dg::Quat::FromAxisAngle(dg::DVec3(0, 0, 1), 0.5), 1.0),
                PartItem("housing/cover"));
  tqannotations::CenterStyle style;
  line->GetLineStyle(style);
  style.strokeColor = dg::Color::RED;
  style.lineWidth = 3.0f; // 4 pixels
  style.lineExtent1 = 4.0f;
  style.lineExtent2 = 6.0f;
  ASSERT_TRUE(line->SetLineStyle(style, 0xFFF));

  const du::SmartPtr<CenterLinesAnnotation> copy(new CenterLinesAnnotation(*line));
  const auto clone = du::SmartPtr<CenterLinesAnnotation>::DynamicCast(line->Clone());
  ASSERT_TRUE(clone);
  for (const du::SmartPtr<CenterLinesAnnotation>& pasted : {copy, clone}) {
    lines.push_back(pasted);
    pasted->AttachScene(builder.GetScene());
    pasted->SetObjects({PartItem("frame/plate"), PartItem("housing/cover")}, nullptr, true);
  }
  Pump();
  const auto drawn = DrawnLines();
  ASSERT_EQ(drawn.size(), 3u);
  const auto Polyline = [](const du::SmartPtr<tqmk::CenterLineXYZ>& drawnLine) {
    std::string text;
    for (const dg::DPoint3D& point : drawnLine->GetPoints())
      text += Text(point);
    return text;
  };
  ASSERT_EQ(drawn[0]->GetPoints().size(), 7u) << "routed";
  for (const du::SmartPtr<tqmk::CenterLineXYZ>& each : drawn) {
    EXPECT_EQ(each->GetLineColor(), dg::Color::RED);
    EXPECT_EQ(each->GetLineWidth(), 4);
    EXPECT_EQ(Polyline(each), Polyline(drawn[0])) << "the same extensions and route";
  }
}

TEST_F(CenterLineScenes, HideShowAndSelectReachTheDrawnLineOncePerChange)
{
  const du::SmartPtr<ProbeLine> line = MeasuredLine();
  const auto drawn = DrawnLines();
  ASSERT_EQ(drawn.size(), 1u);

  line->Hide(false);
  EXPECT_FALSE(drawn[0]->IsVisible());
  line->Show(false);
  EXPECT_TRUE(drawn[0]->IsVisible());

  line->OnSetSelected(true, builder.GetView());
  EXPECT_TRUE(drawn[0]->IsSelected(builder.GetView()));
  drawn[0]->SetSelected(false, builder.GetView()); // a second select of a selected line is no change
  line->OnSetSelected(true, builder.GetView());
  EXPECT_FALSE(drawn[0]->IsSelected(builder.GetView()));
  line->OnSetSelected(false, builder.GetView());
  line->OnSetSelected(true, builder.GetView());
  EXPECT_TRUE(drawn[0]->IsSelected(builder.GetView()));
}

TEST_F(CenterLineScenes, AHiddenLineIsDrawnHidden)
{
  const du::SmartPtr<ProbeLine> line = NewLine();
  line->Hide(false);
  line->SetObjects({PartItem("frame/plate")}, nullptr, true);
  Pump();
  const auto drawn = DrawnLines();
  ASSERT_EQ(drawn.size(), 1u);
  EXPECT_FALSE(drawn[0]->IsVisible());
}

TEST_F(CenterLineScenes, ShowingAnAttachedLineShowsItsFirstPartOnlyWhenHidden)
{
  const du::SmartPtr<ProbeLine> line = MeasuredLine();
  const du::SmartPtr<tqk::ShapeInstance> plate = builder.FindPart("frame/plate");
  AppearanceCounter counter;
  builder.GetScene()->AddListener(&counter);

  line->ShowAnnotation(); // the plate is visible: nothing to report
  EXPECT_EQ(counter.reports, 0);

  builder.GetScene()->SetVisibility({plate->GetInstance()}, false, true);
  line->Hide(false);
  counter.reports = 0;
  line->Show(false);
  EXPECT_TRUE(plate->IsVisible());
  EXPECT_EQ(counter.reports, 1);

  tqannotations::CenterStyle loose;
  line->GetLineStyle(loose);
  loose.attached = false;
  line->SetLineStyle(loose, tqannotations::CenterStyle::ATTACHED);
  builder.GetScene()->SetVisibility({plate->GetInstance()}, false, true);
  line->ShowAnnotation();
  EXPECT_FALSE(plate->IsVisible());
  builder.GetScene()->RemoveListener(&counter);
}

TEST_F(CenterLineScenes, ShowingAHiddenLineWhosePartIsHiddenShowsThePartOnceAndEveryLineOnIt)
{
  const du::SmartPtr<ProbeLine> line = MeasuredLine();
  const du::SmartPtr<ProbeLine> other = MeasuredLine(); // on the same plate
  const du::SmartPtr<tqk::ShapeInstance> plate = builder.FindPart("frame/plate");
  AppearanceCounter counter;
  builder.GetScene()->AddListener(&counter);
  const auto allDrawnVisible = [&] {
    const auto drawn = DrawnLines();
    return drawn.size() == 2 && drawn[0]->IsVisible() && drawn[1]->IsVisible();
  };

  // Twice: what the first showing holds while it shows the part must be let go again.
  for (int round = 0; round < 2; ++round) {
    SCOPED_TRACE(round);
    builder.GetScene()->SetVisibility({plate->GetInstance()}, false, true);
    ASSERT_FALSE(line->IsVisible()) << "the lines follow their hidden part";
    ASSERT_FALSE(other->IsVisible());
    counter.reports = 0;
    // The host shows the line directly: showing its part tells every line on it, this one too.
    line->ShowAnnotation();
    EXPECT_TRUE(plate->IsVisible());
    EXPECT_EQ(counter.reports, 1);
    EXPECT_TRUE(line->IsVisible());
    EXPECT_TRUE(other->IsVisible());
    EXPECT_TRUE(allDrawnVisible());
  }
  builder.GetScene()->RemoveListener(&counter);
}

TEST_F(CenterLineScenes, NamesDescriptionAndIcon)
{
  const du::SmartPtr<ProbeLine> line = NewLine();
  EXPECT_EQ(line->GetMarkupName(0), "Center Line 1");
  EXPECT_EQ(line->GetObjectDescription(), "Center Line"); // no first item
  builder.FindPart("frame/plate")->GetInstance()->SetObjectName(du::Symbol("Plate 1"));
  line->SetObjects({PartItem("frame/plate")}, nullptr, false);
  EXPECT_EQ(line->GetObjectDescription(), "Plate 1");
  EXPECT_EQ(line->GetIconName(), tqannotations::ConstStrings::tqExplodeLineIcon);

  const auto log = Observe(line);
  line->OnSetActiveUnits(3);
  EXPECT_EQ(log->events, std::vector<std::string>{"parameters"});
}

TEST_F(CenterLineScenes, EqualByPointsWithinAHairAndByStyle)
{
  const std::vector<du::SmartPtr<tqk::SelectionItem>> items{PartItem("frame/plate"),
                                                            PartItem("housing/cover")};
  const du::SmartPtr<ProbeLine> line = NewLine();
  line->SetObjects(items, nullptr, true);
  Pump();
  tqannotations::CenterLinesInfo info;
  line->GetCenterLinesInfo(info);

  du::SmartPtr<ProbeLine> twin(new ProbeLine);
  twin->SetObjects(items, nullptr, false);
  info.location1 = dg::DPoint3D(7, 7, 7); // the items' positions and the jogs take no part
  info.jogs.push_back(dg::DPoint3D(1, 2, 3));
  info.point2.x += 0.5e-7;
  twin->SetCenterLinesInfo(info);
  EXPECT_TRUE(line->IsEqual(twin));

  info.point2.x += 0.5e-7; // now 1e-7 off: not within
  twin->SetCenterLinesInfo(info);
  EXPECT_FALSE(line->IsEqual(twin));

  line->GetCenterLinesInfo(info);
  ASSERT_EQ(info.point1.x, 0.0);
  info.point1.x = 1e-7; // exactly the tolerance apart: not within either
  twin->SetCenterLinesInfo(info);
  EXPECT_FALSE(line->IsEqual(twin));

  line->GetCenterLinesInfo(info);
  info.style.lineWidth += 1.0f;
  twin->SetCenterLinesInfo(info);
  EXPECT_FALSE(line->IsEqual(twin));

  du::SmartPtr<tqannotations::AssocAnnotation> stranger(new tqannotations::AssocAnnotation(0x8000));
  EXPECT_FALSE(line->IsEqual(stranger));
}

TEST_F(CenterLineScenes, AttachedShapeSelectionAndVisibilityCheck)
{
  const du::SmartPtr<ProbeLine> empty = NewLine();
  EXPECT_FALSE(empty->CheckVisibility());
  EXPECT_TRUE(empty->IsAttachedShapeSelected()); // no part to ask

  const du::SmartPtr<ProbeLine> line = MeasuredLine();
  EXPECT_TRUE(line->CheckVisibility());
  // A part hidden without a word to the lines: the check brings the line in line with it.
  builder.GetScene()->SetVisibility({builder.FindPart("frame/plate")->GetInstance()}, false, false);
  ASSERT_TRUE(DrawnLines()[0]->IsVisible());
  EXPECT_TRUE(line->CheckVisibility());
  EXPECT_FALSE(DrawnLines()[0]->IsVisible());
  builder.GetScene()->SetVisibility({builder.FindPart("frame/plate")->GetInstance()}, true, false);
  EXPECT_FALSE(line->IsAttachedShapeSelected());
  builder.FindPart("frame/plate")->SetSelected(true);
  EXPECT_TRUE(line->IsAttachedShapeSelected());
  builder.FindPart("frame/plate")->SetSelected(false);

  tqannotations::CenterStyle loose;
  line->GetLineStyle(loose);
  loose.attached = false;
  line->SetLineStyle(loose, tqannotations::CenterStyle::ATTACHED);
  EXPECT_TRUE(line->IsAttachedShapeSelected());
}

} // namespace
