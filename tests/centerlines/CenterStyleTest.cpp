#include "tests/centerlines/MeasuredLine.h"

#include <tqannotations/CenterStyle.h>
#include <tqk/Preferences.h>
#include <tqk/SerializedContentElement.h>
#include <tqk/World.h>

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <string>

namespace {

using tqannotations::CenterStyle;

class CenterStyleTest : public ::testing::Test
{
protected:
  CenterStyleTest() : preferences(tqk::World::GetWorld()->GetPreferences()) { preferences->Clear(); }
  ~CenterStyleTest() override { preferences->Clear(); }

  void Set(const std::string& key, const std::string& value)
  {
    preferences->SetString("Annotations/Centerline/" + key, value);
  }

  du::SmartPtr<tqk::Preferences> preferences;
};

TEST_F(CenterStyleTest, WithoutPreferencesAStyleKeepsItsDefaultsButTakesTheYellowTheColourGetterLeaves)
{
  const CenterStyle style;
  EXPECT_EQ(style.strokeColor, dg::Color::YELLOW);
  EXPECT_EQ(style.lineWidth, 1.0f);
  EXPECT_EQ(style.dragFactor, 0.5f);
  EXPECT_TRUE(style.attached);
  EXPECT_FALSE(style.alongXYZ);
  EXPECT_EQ(style.xyzFlag, 1);
  EXPECT_EQ(style.xyzOrder[2], 2);
  EXPECT_EQ(style.csysType, CenterStyle::CSYS_NONE);
  EXPECT_EQ(style.arrowType, 0);
  EXPECT_EQ(style.csysLocation, dg::Location::IDENTITY);
}

TEST_F(CenterStyleTest, EachPreferenceKeySetsItsFieldAndValuesOutsideTheListChangeNothing)
{
  preferences->SetInt("Annotations/Centerline/line_color_button", 0x0000FF);
  Set("style_option", "s5");
  preferences->SetBool("Annotations/Centerline/Halo", true);
  preferences->SetFloat("Annotations/Centerline/weight", 2.5f);
  preferences->SetBool("Annotations/Centerline/show_hidden", true);
  preferences->SetBool("Annotations/Centerline/associative_check", false);
  preferences->SetFloat("Annotations/Centerline/extent_start_spin", 3.0f);
  preferences->SetFloat("Annotations/Centerline/extent_end_spin", 4.0f);
  Set("path_menu", "3");
  Set("axis_menu", "5");
  const CenterStyle style;
  EXPECT_EQ(style.strokeColor, dg::Color(0, 0, 1, 1));
  EXPECT_EQ(style.lineStyle, 5);
  EXPECT_TRUE(style.isHalo);
  EXPECT_EQ(style.lineWidth, 2.5f);
  EXPECT_TRUE(style.allwaysInFront);
  EXPECT_FALSE(style.attached);
  EXPECT_EQ(style.lineExtent1, 3.0f);
  EXPECT_EQ(style.lineExtent2, 4.0f);
  EXPECT_TRUE(style.alongXYZ);
  EXPECT_EQ(style.csysType, CenterStyle::CSYS_PART);
  EXPECT_EQ(style.xyzFlag, 5);
  EXPECT_EQ((std::array<std::uint16_t, 3>{style.xyzOrder[0], style.xyzOrder[1], style.xyzOrder[2]}),
            (std::array<std::uint16_t, 3>{2, 0, 1}));

  Set("path_menu", "2");
  EXPECT_EQ(CenterStyle().csysType, CenterStyle::CSYS_WORLD);
  EXPECT_TRUE(CenterStyle().alongXYZ);
  Set("style_option", "s7");
  EXPECT_EQ(CenterStyle().lineStyle, 7);
  Set("path_menu", "1");
  EXPECT_FALSE(CenterStyle().alongXYZ);

  for (const char* refused : {"S3", " s3", "s8", "s", "s33"}) {
    Set("style_option", refused);
    EXPECT_EQ(CenterStyle().lineStyle, 0) << refused;
  }
  // A width or an extent that is not finite is a value outside the list.
  preferences->SetFloat("Annotations/Centerline/weight", std::nanf(""));
  preferences->SetFloat("Annotations/Centerline/extent_end_spin", -INFINITY);
  const CenterStyle notFinite;
  EXPECT_EQ(std::make_pair(notFinite.lineWidth, notFinite.lineExtent2), std::make_pair(1.0f, 0.0f));
  Set("path_menu", "4");
  Set("axis_menu", "7");
  CenterStyle kept;
  EXPECT_EQ(kept.csysType, CenterStyle::CSYS_NONE);
  EXPECT_EQ(kept.xyzFlag, 1);
  // An unknown axis choice still re-derives the order from the flag the style has.
  kept.xyzFlag = 2;
  kept.xyzOrder[0] = kept.xyzOrder[1] = kept.xyzOrder[2] = 9;
  kept.LoadDefaultFromPreference();
  EXPECT_EQ(kept.xyzFlag, 2);
  EXPECT_EQ(kept.xyzOrder[0], 2);
  EXPECT_EQ(kept.xyzOrder[2], 0);
}

TEST_F(CenterStyleTest, ArrowHeadsFollowTheTableOnlyWhenBothEndsAreKnown)
{
  const char* kinds[3] = {"none", "point", "round"};
  const int expected[3][3] = {{0, 2, 4}, {3, 1, 8}, {5, 6, 7}};
  for (int start = 0; start < 3; ++start)
    for (int end = 0; end < 3; ++end) {
      Set("start_option", kinds[start]);
      Set("end_option", kinds[end]);
      EXPECT_EQ(CenterStyle().arrowType, expected[start][end]) << kinds[start] << "/" << kinds[end];
    }
  Set("end_option", "Point");
  EXPECT_EQ(CenterStyle().arrowType, 0) << "a value outside the list changes nothing";
  preferences->Remove("Annotations/Centerline/start_option");
  Set("end_option", "round");
  EXPECT_EQ(CenterStyle().arrowType, 0) << "the end option alone is never read";
  Set("start_option", "point");
  preferences->Remove("Annotations/Centerline/end_option");
  EXPECT_EQ(CenterStyle().arrowType, 0);
}

TEST_F(CenterStyleTest, EqualityToleratesSmallExtentDifferencesWhereCompareIsExact)
{
  CenterStyle a;
  CenterStyle b;
  b.lineExtent1 = a.lineExtent1 + 0.000009f;
  b.isHalo = !a.isHalo;
  b.attached = !a.attached;
  b.alongXYZ = !a.alongXYZ;
  b.xyzFlag = 4;
  b.dragFactor = 0.9f;
  EXPECT_TRUE(a == b);
  EXPECT_FALSE(a.Compare(b, CenterStyle::LINE_EXTENT_1));
  EXPECT_TRUE(a.Compare(b, CenterStyle::LINE_EXTENT_2 | CenterStyle::STROKE_COLOR | CenterStyle::LINE_WIDTH));
  EXPECT_TRUE(a.Compare(b, 0));
  EXPECT_FALSE(a.Compare(b, CenterStyle::HALO));

  b.lineExtent1 = a.lineExtent1 + 1e-5f;
  EXPECT_FALSE(a == b) << "a difference of 1e-5 is too much";

  CenterStyle widthless;
  widthless.lineWidth = std::nanf("");
  EXPECT_FALSE(widthless == widthless);
  EXPECT_FALSE(widthless.Compare(widthless, CenterStyle::LINE_WIDTH));
  CenterStyle odd;
  odd.strokeColor.r = -0.0f;
  EXPECT_FALSE(odd.Compare(CenterStyle(), CenterStyle::STROKE_COLOR)) << "colours compare as stored";
}

TEST_F(CenterStyleTest, SyncCopiesTheSelectedGroupsOnly)
{
  CenterStyle target;
  CenterStyle source;
  source.lineStyle = 3;
  source.isHalo = true;
  source.csysType = CenterStyle::CSYS_PICKED;
  source.csysId = static_cast<CenterStyle::CSYS_ID>(7);
  source.dragFactor = 0.1f;
  source.xyzFlag = 0;

  CenterStyle untouched = target;
  untouched.Sync(source, 0);
  EXPECT_TRUE(untouched.Compare(target, 0xFFF));

  target.Sync(source, CenterStyle::LINE_STYLE | CenterStyle::CSYS | CenterStyle::XYZ_FLAG);
  EXPECT_EQ(target.lineStyle, 3);
  EXPECT_EQ(target.csysId, 7);
  EXPECT_EQ(target.csysType, CenterStyle::CSYS_PICKED);
  EXPECT_FALSE(target.isHalo);
  EXPECT_EQ(target.dragFactor, 0.5f) << "never synchronised";
  EXPECT_EQ(target.xyzFlag, 0);
  EXPECT_EQ(target.xyzOrder[0], 0) << "a flag of 0 leaves the order as it was";
  EXPECT_EQ(target.xyzOrder[1], 1);

  // Every group at once: the other style in all that the mask covers, and nothing beyond.
  source.strokeColor = dg::Color::RED;
  source.lineWidth = 3.0f;
  source.arrowType = 5;
  source.allwaysInFront = true;
  source.attached = false;
  source.alongXYZ = true;
  source.xyzFlag = 3;
  source.lineExtent1 = 1.0f;
  source.lineExtent2 = 2.0f;
  source.anchorOffset = dg::DPoint3D(1, 1, 1);
  source.endpointOffset = dg::DPoint3D(2, 2, 2);
  source.csysLocation = dg::Location(dg::FMat33::IDENTITY, dg::DPoint3D(5, 5, 5));
  CenterStyle all;
  all.Sync(source, 0xFFFF);
  EXPECT_TRUE(all.Compare(source, 0xFFFF));
  EXPECT_EQ(all.xyzOrder[0], 1) << "re-derived from the copied flag";
  EXPECT_EQ(all.dragFactor, 0.5f);
  EXPECT_EQ(all.anchorOffset.x, 0.0);
  EXPECT_EQ(all.endpointOffset.x, 0.0);
  EXPECT_EQ(all.csysLocation, dg::Location::IDENTITY);

  CenterStyle otherId = all;
  otherId.csysId = static_cast<CenterStyle::CSYS_ID>(8);
  EXPECT_FALSE(all.Compare(otherId, CenterStyle::CSYS)) << "type and id are compared together";
  EXPECT_TRUE(all == otherId);
}

//! Takes the host's world away, or only its preference store, for as long as it lives.
class HostWithout
{
public:
  enum Missing
  {
    WORLD,
    PREFERENCES
  };

  explicit HostWithout(Missing missing) : m_world(tqk::World::GetWorld()), m_store(m_world->GetPreferences())
  {
    if (missing == WORLD)
      tqk::World::Close();
    else
      m_world->SetPreferences(nullptr);
  }
  ~HostWithout()
  {
    tqk::World::Reopen();
    m_world->SetPreferences(m_store);
  }

private:
  du::SmartPtr<tqk::World> m_world;
  du::SmartPtr<tqk::Preferences> m_store;
};

TEST_F(CenterStyleTest, LinesMadeWhileTheHostHasNoWorldOrNoPreferencesAreDrawnSavedAndLoadedInTheBuiltInStyle)
{
  preferences->SetInt("Annotations/Centerline/line_color_button", 0x0000FF);
  preferences->SetFloat("Annotations/Centerline/extent_start_spin", 3.0f);
  du::SmartPtr<tqannotations::CenterLinesAnnotation> madeWithoutWorld;
  {
    const HostWithout host(HostWithout::WORLD);
    madeWithoutWorld = new tqannotations::CenterLinesAnnotation;
  }
  MeasuredLine scene(madeWithoutWorld);
  ASSERT_TRUE(scene.DrawnLine());
  EXPECT_EQ(scene.DrawnLine()->GetLineColor(), dg::Color::BLACK) << "not the blue of the preferences";
  EXPECT_EQ(scene.DrawnLine()->GetLineWidth(), 1);
  EXPECT_EQ(scene.DrawnLine()->GetStartExtension(), 0.0);

  tqannotations::CenterStyle red;
  red.strokeColor = dg::Color::RED;
  scene.line->SetLineStyle(red, tqannotations::CenterStyle::STROKE_COLOR);
  tqk::SerializedContentElement document("annotation");
  scene.line->Visit(document);
  const HostWithout host(HostWithout::PREFERENCES);
  const du::SmartPtr<tqannotations::CenterLinesAnnotation> loaded(new tqannotations::CenterLinesAnnotation);
  loaded->InitializeFromSerializedContent(&document);
  CenterStyle style;
  loaded->GetLineStyle(style);
  EXPECT_EQ(style.strokeColor, dg::Color::RED);
  EXPECT_EQ(style.lineExtent1, 0.0f);
  EXPECT_EQ(CenterStyle().strokeColor, dg::Color::BLACK) << "a new style without a store";
}

} // namespace
