#include <tqk/Preferences.h>
#include <tqk/World.h>

#include <gtest/gtest.h>

namespace {

TEST(Preferences, GettersLeaveTheirOutputUntouchedForMissingKeysAndOtherTypes)
{
  const du::SmartPtr<tqk::Preferences> preferences = tqk::World::GetWorld()->GetPreferences();
  ASSERT_TRUE(preferences);
  preferences->Clear();
  preferences->SetString("Annotations/Centerline/weight", "heavy"); // not a float

  dg::Color color = dg::Color::YELLOW;
  std::string text = "s3";
  bool flag = true;
  float number = 2.5f;
  int integer = 7;
  EXPECT_FALSE(preferences->GetIntUIAsColor("Annotations/Centerline/line_color_button", color, nullptr));
  EXPECT_FALSE(preferences->GetString("Annotations/Centerline/style_option", text, nullptr));
  EXPECT_FALSE(preferences->GetBool("Annotations/Centerline/Halo", flag, nullptr));
  EXPECT_FALSE(preferences->GetFloat("Annotations/Centerline/weight", number, nullptr));
  EXPECT_FALSE(preferences->GetInt("Annotations/Text/g_Font/font_size", integer, nullptr));
  EXPECT_EQ(color, dg::Color::YELLOW);
  EXPECT_EQ(text, "s3");
  EXPECT_TRUE(flag);
  EXPECT_EQ(number, 2.5f);
  EXPECT_EQ(integer, 7);

  preferences->Clear();
}

TEST(Preferences, GettersReadWhatWasSet)
{
  const du::SmartPtr<tqk::Preferences> preferences = tqk::World::GetWorld()->GetPreferences();
  preferences->Clear();
  preferences->SetInt("Annotations/Text/g_Color/text_color", 0xFF8000);
  preferences->SetBool("Annotations/Centerline/Halo", false);
  preferences->SetFloat("Annotations/Centerline/weight", 0.75f);

  dg::Color color(0, 0, 0, 0.5f);
  ASSERT_TRUE(preferences->GetIntUIAsColor("Annotations/Text/g_Color/text_color", color));
  EXPECT_EQ(color, dg::Color(1.0f, 128 / 255.0f, 0.0f, 0.5f)) << "a packed colour carries no alpha";
  bool flag = true;
  ASSERT_TRUE(preferences->GetBool("Annotations/Centerline/Halo", flag));
  EXPECT_FALSE(flag);
  float number = 0;
  ASSERT_TRUE(preferences->GetFloat("Annotations/Centerline/weight", number));
  EXPECT_EQ(number, 0.75f);

  EXPECT_TRUE(preferences->Remove("Annotations/Centerline/weight"));
  bool found = true;
  EXPECT_FALSE(preferences->GetFloat("Annotations/Centerline/weight", number, &found));
  EXPECT_FALSE(found) << "the flag hears the same answer";
  EXPECT_EQ(number, 0.75f) << "a missing key leaves the output as it was";
  EXPECT_TRUE(preferences->GetBool("Annotations/Centerline/Halo", flag, &found));
  EXPECT_TRUE(found);
  preferences->Clear();
}

TEST(World, AClosedWorldIsNoneAndAWorldMayRunWithoutPreferences)
{
  const du::SmartPtr<tqk::World> world = tqk::World::GetWorld();
  const du::SmartPtr<tqk::Preferences> store = world->GetPreferences();
  tqk::World::Close();
  EXPECT_FALSE(tqk::World::GetWorld());
  tqk::World::Reopen();
  EXPECT_EQ(tqk::World::GetWorld(), world) << "the same world, as it was";

  world->SetPreferences(nullptr);
  EXPECT_FALSE(world->GetPreferences());
  world->SetPreferences(store);
  EXPECT_EQ(world->GetPreferences(), store);
}

} // namespace
