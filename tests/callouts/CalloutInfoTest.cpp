#include <tqannotations/CalloutInfo.h>

#include "common/ValueOperators.h"

#include <tqk/Preferences.h>
#include <tqk/World.h>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

using namespace tqannotations;

du::SmartPtr<CalloutLeaderInfo> Record(const std::string& part, double x)
{
  du::SmartPtr<CalloutLeaderInfo> record(new CalloutLeaderInfo);
  record->shapeInstanceId = part;
  record->anchor = dg::DPoint3D(x, 0, 0);
  record->attached = true;
  return record;
}

TEST(CalloutLeaderInfo, StartsEmptyAndCopiesIndependently)
{
  const CalloutLeaderInfo blank;
  EXPECT_EQ(blank.shapeInstanceId, "");
  EXPECT_EQ(blank.assemblyInstanceId, "");
  EXPECT_FALSE(blank.anchor != dg::DPoint3D::ORIGIN);
  EXPECT_FALSE(blank.attached || blank.hidden || blank.dim);

  du::SmartPtr<CalloutLeaderInfo> source = Record("/1/2", 4.0);
  CalloutLeaderInfo copy(*source);
  source->shapeInstanceId = "/9";
  source->anchor.x = 8.0;
  EXPECT_EQ(copy.shapeInstanceId, "/1/2");
  EXPECT_EQ(copy.anchor.x, 4.0);
  EXPECT_TRUE(copy.attached);
  EXPECT_EQ(copy.GetReferenceCount(), 0) << "a copy has references of its own only";
}

TEST(CalloutInfoCopies, SnapshotsMakeNewRecordsWhileAssignmentSharesThem)
{
  CalloutInfo source;
  source.leaderRecords = {Record("a", 1.0), nullptr, Record("b", 2.0)};

  CalloutInfo copied(source);
  ASSERT_EQ(copied.leaderRecords.size(), 2u) << "empty record references are left out";
  EXPECT_FALSE(copied.leaderRecords[0] == source.leaderRecords[0]);
  EXPECT_EQ(copied.leaderRecords[1]->shapeInstanceId, "b");

  CalloutInfo assigned;
  assigned = source;
  ASSERT_EQ(assigned.leaderRecords.size(), 3u);
  EXPECT_TRUE(assigned.SetLeaderLineAnchor(dg::DPoint3D(7, 7, 7), 2));
  EXPECT_EQ(source.leaderRecords[2]->anchor.x, 7.0) << "assignment shares the records";
  EXPECT_EQ(copied.leaderRecords[1]->anchor.x, 2.0) << "a copy's records are its own";
}

TEST(CalloutInfoCopies, SetLeaderLineAnchorRefusesMissingRecordsAndAnchorsNotFinite)
{
  CalloutInfo info;
  info.leaderRecords = {Record("a", 1.0), nullptr};
  EXPECT_FALSE(info.SetLeaderLineAnchor(dg::DPoint3D(5, 5, 5), 1));
  EXPECT_FALSE(info.SetLeaderLineAnchor(dg::DPoint3D(5, 5, 5), 2));
  EXPECT_FALSE(info.SetLeaderLineAnchor(dg::DPoint3D(5, std::numeric_limits<double>::infinity(), 5), 0));
  EXPECT_EQ(info.leaderRecords[0]->anchor.x, 1.0);
  EXPECT_EQ(info.leaderRecords[0]->anchor.y, 0.0);
}

TEST(CalloutInfoCopies, MaskedCopyTakesOnlyTheValidColoursAndSize)
{
  CalloutInfo source;
  source.textColor = dg::Color(1, 0, 0, 1);
  source.fillColor = dg::Color(0, 1, 0, 0.5f);
  source.fontSize = 14.0f;
  source.textUnit = 3;
  source.validFields = CalloutInfo::FONT_SIZE_VALID | CalloutInfo::FILL_COLOR_VALID;

  const CalloutInfo copy(source);
  EXPECT_EQ(copy.textColor, dg::Color(0, 0, 0, 1)) << "text colour not valid in the source";
  EXPECT_EQ(copy.fillColor, dg::Color(0, 1, 0, 0.5f));
  EXPECT_FLOAT_EQ(copy.fontSize, 14.0f);
  EXPECT_EQ(copy.validFields, source.validFields);

  source.validFields = 0;
  source.fontSize = 33.0f;
  const CalloutInfo withoutSize(source);
  EXPECT_FLOAT_EQ(withoutSize.fontSize, 10.0f) << "a size that is not valid starts at 10";
  EXPECT_EQ(withoutSize.fillColor, dg::Color(0, 0, 0, 1));
}

TEST(CalloutInfoCopies, MaskedCopyBringsTheFontSizeToPoints)
{
  CalloutInfo source;
  source.fontSize = 10.0f;
  const struct
  {
    int unit;
    float points;
  } cases[] = {{0, 10.0f * 72.0f / 25.4f}, {1, 100.0f * 72.0f / 25.4f}, {2, 720.0f}, {3, 10.0f}, {7, 10.0f}};
  for (const auto& c : cases) {
    source.textUnit = c.unit;
    const CalloutInfo copy(source);
    EXPECT_NEAR(copy.fontSize, c.points, 1e-3) << "unit " << c.unit;
    EXPECT_EQ(copy.textUnit, 3) << "unit " << c.unit;
  }

  source.textUnit = 0;
  source.validFields = CalloutInfo::TEXT_COLOR_VALID;
  const CalloutInfo unconverted(source);
  EXPECT_EQ(unconverted.textUnit, 0) << "the unit stays with a size that was not taken";
}

TEST(CalloutInfoCopies, AssignmentCopiesEveryValueAsItStands)
{
  CalloutInfo source;
  source.text = du::Symbol("Pump");
  source.fontSize = 4.0f;
  source.textUnit = 0;
  source.textColor = dg::Color(0.2f, 0.3f, 0.4f, 1);
  source.validFields = 0;
  source.fontFace = du::Symbol("Courier");
  source.pageNumber = 3;
  CalloutInfo target;
  target = source;
  EXPECT_EQ(target.text, du::Symbol("Pump"));
  EXPECT_FLOAT_EQ(target.fontSize, 4.0f);
  EXPECT_EQ(target.textUnit, 0);
  EXPECT_EQ(target.textColor, source.textColor);
  EXPECT_EQ(target.validFields, 0);
  EXPECT_EQ(target.fontFace, du::Symbol("Courier"));
  EXPECT_EQ(target.pageNumber, 3);
}

//! Reaches the protected preference reader as a host subclass would.
struct PreferenceReadingInfo : CalloutInfo
{
  using CalloutInfo::ApplyPreferenceValues;
};

class CalloutInfoPreferences : public ::testing::Test
{
protected:
  void SetUp() override { Preferences().Clear(); }
  void TearDown() override { Preferences().Clear(); }
  static tqk::Preferences& Preferences() { return *tqk::World::GetWorld()->GetPreferences(); }
};

TEST_F(CalloutInfoPreferences, TakesTheTextPreferencesThatAreSet)
{
  Preferences().SetInt("Annotations/Text/g_Font/font_size", 18);
  Preferences().SetInt("Annotations/Text/g_Color/text_color", 0xFF0000);
  Preferences().SetInt("Annotations/Text/g_Color/text_background_color", 0x0000FF);
  PreferenceReadingInfo info;
  info.textUnit = 0;
  info.ApplyPreferenceValues();
  EXPECT_FLOAT_EQ(info.fontSize, 18.0f);
  EXPECT_EQ(info.textColor, dg::Color(1, 0, 0, 1));
  EXPECT_EQ(info.fillColor, dg::Color(0, 0, 1, 1));
  EXPECT_EQ(info.textUnit, 0) << "the unit is not touched";
}

TEST_F(CalloutInfoPreferences, KeepsItsValuesWhereNoUsablePreferenceIsSet)
{
  PreferenceReadingInfo info;
  info.fontSize = 12.0f;
  info.ApplyPreferenceValues();
  EXPECT_FLOAT_EQ(info.fontSize, 12.0f) << "a missing size must not become 0";
  EXPECT_EQ(info.textColor, dg::Color(0, 0, 0, 1));

  Preferences().SetInt("Annotations/Text/g_Font/font_size", 0);
  info.ApplyPreferenceValues();
  EXPECT_FLOAT_EQ(info.fontSize, 12.0f);
  Preferences().SetInt("Annotations/Text/g_Font/font_size", -4);
  info.ApplyPreferenceValues();
  EXPECT_FLOAT_EQ(info.fontSize, 12.0f);
}

} // namespace
