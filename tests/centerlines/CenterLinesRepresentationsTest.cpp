#include "tests/centerlines/CenterLineSceneFixture.h"

#include <tqannotations/CenterLinesInfo.h>
#include <tqannotations/CenterLinesRepresentation.h>

namespace {

using namespace centerline_tests;
using tqannotations::CenterLinesInfo;
using tqannotations::CenterLinesRepresentation;
using tqannotations::CenterStyle;

std::size_t RepresentationCount(const CenterLinesAnnotation& line)
{
  std::vector<du::SmartPtr<CenterLinesRepresentation>> representations;
  line.GetRepresentations(representations);
  return representations.size();
}

using CenterLineRepresentations = CenterLineSceneTest;

TEST_F(CenterLineRepresentations, AStyleChangeWhoseMaskedFieldsAreEqualChangesNothing)
{
  const du::SmartPtr<ProbeLine> line = MeasuredLine();
  const auto holderBefore = builder.GetScene()->GetMarkups();
  const auto log = Observe(line);
  const std::size_t modifications = annoSet->GetModificationCount();
  CenterStyle style;
  line->GetLineStyle(style);

  style.isHalo = !style.isHalo;
  EXPECT_FALSE(line->SetLineStyle(style, 0)); // nothing selected: nothing differs
  EXPECT_FALSE(line->SetLineStyle(style, CenterStyle::STROKE_COLOR | CenterStyle::LINE_STYLE |
                                             CenterStyle::LINE_WIDTH)); // colour, stipple, width: the same
  EXPECT_TRUE(log->events.empty());
  EXPECT_EQ(annoSet->GetModificationCount(), modifications);
  EXPECT_EQ(builder.GetScene()->GetMarkups(), holderBefore) << "not redrawn";
}

TEST_F(CenterLineRepresentations, AStyleChangeOfALineNotMeasuredDrawsNothing)
{
  const du::SmartPtr<ProbeLine> line = NewLine();
  CenterStyle style;
  line->GetLineStyle(style);
  style.lineWidth += 2.0f;
  EXPECT_TRUE(line->SetLineStyle(style, CenterStyle::LINE_WIDTH));
  EXPECT_EQ(HoldersInScene(), 0u);
  EXPECT_EQ(RepresentationCount(*line), 1u);
}

TEST_F(CenterLineRepresentations, ASnapshotGivesItsCountOfLinesAndKeepsTheLinesJogs)
{
  const du::SmartPtr<ProbeLine> line = NewLine();
  CenterLinesInfo info;
  line->GetCenterLinesInfo(info);
  EXPECT_EQ(info.representationCount, 1); // also without any

  info.representationCount = 3;
  info.point1 = dg::DPoint3D(1, 2, 3);
  info.point2 = dg::DPoint3D(4, 5, 6);
  info.jogs = {dg::DPoint3D(9, 9, 9), dg::DPoint3D(8, 8, 8)};
  line->SetCenterLinesInfo(info);
  EXPECT_EQ(RepresentationCount(*line), 3u);
  line->CreateRepresentations();
  EXPECT_EQ(RepresentationCount(*line), 1u);

  CenterLinesInfo back;
  line->GetCenterLinesInfo(back);
  EXPECT_EQ(back.point2.z, 6.0);
  EXPECT_TRUE(back.jogs.empty());

  info.representationCount = 0;
  line->SetCenterLinesInfo(info);
  EXPECT_EQ(RepresentationCount(*line), 0u);
  // Measured, but with nothing to draw: the holder stays away.
  line->CreateMarkup();
  EXPECT_EQ(HoldersInScene(), 0u);
}

TEST_F(CenterLineRepresentations, AppliedSnapshotIsDrawnWhenAttached)
{
  const du::SmartPtr<ProbeLine> source = MeasuredLine();
  CenterLinesInfo info;
  source->GetCenterLinesInfo(info);
  source->DetachScene();

  du::SmartPtr<CenterLinesAnnotation> line(new CenterLinesAnnotation(info));
  lines.push_back(line);
  line->AttachScene(builder.GetScene());
  EXPECT_EQ(HoldersInScene(), 1u);
}

TEST_F(CenterLineRepresentations, ALineRoutedAlongItsFirstPartWithoutOneKeepsTheStoredPlacement)
{
  const du::SmartPtr<ProbeLine> line = MeasuredLine();
  line->ClearSlot(0);
  CenterLinesInfo info;
  line->GetCenterLinesInfo(info);
  info.csys.SetPos(dg::DPoint3D(5, 5, 5));
  info.style.csysType = CenterStyle::CSYS_PART;
  line->SetCenterLinesInfo(info);
  line->CreateRepresentations();
  line->GetCenterLinesInfo(info);
  EXPECT_EQ(info.csys.GetPosition().x, 5.0);
}

TEST_F(CenterLineRepresentations, RepresentationsHandedOutAreCopies)
{
  const du::SmartPtr<ProbeLine> line = MeasuredLine();
  std::vector<du::SmartPtr<CenterLinesRepresentation>> first;
  std::vector<du::SmartPtr<CenterLinesRepresentation>> second;
  line->GetRepresentations(first);
  line->GetRepresentations(second);
  ASSERT_EQ(first.size(), 1u);
  EXPECT_NE(first[0], second[0]);
  EXPECT_FALSE(first[0]->HasValidMarkups()); // a copy has no drawing of its own
}

} // namespace
