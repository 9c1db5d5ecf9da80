#include "tests/centerlines/CenterLineSceneFixture.h"

#include <tqannotations/CenterLinesInfo.h>

namespace {

using namespace centerline_tests;

using CenterLineScenes = CenterLineSceneTest;

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

} // namespace
