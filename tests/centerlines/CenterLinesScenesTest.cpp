#include "tests/centerlines/CenterLineSceneFixture.h"

#include <tqannotations/CenterLinesInfo.h>

#include <functional>

namespace {

using namespace centerline_tests;
using tqannotations::CenterLinesInfo;
using tqannotations::CenterStyle;

using CenterLineScenes = CenterLineSceneTest;

TEST_F(CenterLineScenes, EqualByEachCoordinateOfEachEndWithinAHairAndByEachDrawnValueOfTheStyle)
{
  const std::vector<du::SmartPtr<tqk::SelectionItem>> items{PartItem("frame/plate"),
                                                            PartItem("housing/cover")};
  const du::SmartPtr<ProbeLine> line = NewLine();
  line->SetObjects(items, nullptr, true);
  Pump();
  CenterLinesInfo info;
  line->GetCenterLinesInfo(info);
  ASSERT_EQ(info.point1.x, 0.0);
  du::SmartPtr<ProbeLine> twin(new ProbeLine);
  twin->SetObjects(items, nullptr, false);
  const auto equal = [&](const std::function<void(CenterLinesInfo&)>& change) {
    CenterLinesInfo changed = info;
    change(changed);
    twin->SetCenterLinesInfo(changed);
    return line->IsEqual(twin);
  };

  // The items' positions, the jogs, the routing, the following of parts and the halo take no part.
  EXPECT_TRUE(equal([](CenterLinesInfo& i) {
    i.location1 = dg::DPoint3D(7, 7, 7);
    i.jogs.push_back(dg::DPoint3D(1, 2, 3));
    i.csys.SetPos(dg::DPoint3D(4, 5, 6));
    CenterStyle& s = i.style;
    s.isHalo = s.alongXYZ = true;
    s.attached = false;
    s.xyzFlag = 4;
    s.csysType = CenterStyle::CSYS_PICKED;
    s.csysId = static_cast<CenterStyle::CSYS_ID>(5);
    s.dragFactor = 0.75f;
    s.anchorOffset = s.endpointOffset = dg::DPoint3D(1, 2, 3);
    s.lineExtent2 += 9e-6f;
  }));
  for (dg::DPoint3D CenterLinesInfo::*end : {&CenterLinesInfo::point1, &CenterLinesInfo::point2})
    for (double dg::DPoint3D::*coordinate : {&dg::DPoint3D::x, &dg::DPoint3D::y, &dg::DPoint3D::z}) {
      EXPECT_TRUE(equal([&](CenterLinesInfo& i) { i.*end.*coordinate += 0.5e-7; }));
      EXPECT_FALSE(equal([&](CenterLinesInfo& i) { i.*end.*coordinate += 1.5e-7; }));
    }
  EXPECT_FALSE(equal([](CenterLinesInfo& i) { i.point1.x = 1e-7; })) << "exactly the tolerance apart";

  for (const std::function<void(CenterStyle&)>& restyle : std::vector<std::function<void(CenterStyle&)>>{
           [](CenterStyle& s) { s.lineWidth += 1.0f; }, [](CenterStyle& s) { s.strokeColor.g += 0.25f; },
           [](CenterStyle& s) { s.strokeColor.a -= 0.25f; }, [](CenterStyle& s) { s.lineStyle = 6; },
           [](CenterStyle& s) { s.allwaysInFront = !s.allwaysInFront; },
           [](CenterStyle& s) { s.arrowType = 7; }, [](CenterStyle& s) { s.lineExtent1 += 1e-5f; },
           [](CenterStyle& s) { s.lineExtent2 += 1e-5f; }})
    EXPECT_FALSE(equal([&](CenterLinesInfo& i) { restyle(i.style); }));

  du::SmartPtr<tqannotations::AssocAnnotation> stranger(new tqannotations::AssocAnnotation(0x8000));
  EXPECT_FALSE(line->IsEqual(stranger));
}

} // namespace
