#include <dg/Color.h>

#include <gtest/gtest.h>

#include <limits>

namespace {

TEST(Color, SetFromPackedValueReadsRedGreenBlueAndKeepsAlpha)
{
  dg::Color color(0, 0, 0, 0.25f);
  color.Set(0x336699u);
  EXPECT_FLOAT_EQ(color.r, 0x33 / 255.0f);
  EXPECT_FLOAT_EQ(color.g, 0x66 / 255.0f);
  EXPECT_FLOAT_EQ(color.b, 0x99 / 255.0f);
  EXPECT_EQ(color.a, 0.25f);
  color.Set(0xFF000000u); // bits above the colour are not part of it
  EXPECT_EQ(color, dg::Color(0, 0, 0, 0.25f));
}

TEST(Color, PackedValueSurvivesTheRoundTripForEveryChannelValue)
{
  for (unsigned v = 0; v < 256; ++v) {
    for (unsigned shift : {0u, 8u, 16u}) {
      const unsigned packed = (v << shift) | (0xFFu - v) << ((shift + 8) % 24);
      dg::Color color;
      color.Set(packed);
      EXPECT_EQ(color.GetAsHex(), packed) << std::hex << packed;
    }
  }
  dg::Color color;
  color.Set(0xA1B2C3u);
  EXPECT_EQ(color.GetAsHex(), 0xA1B2C3u);
}

TEST(Color, SetRGBOnBlackGivesWhiteAndClampsChannels)
{
  dg::Color blend(0, 0, 0, 1);
  blend.SetRGB(255, 255, 255);
  EXPECT_EQ(blend, dg::Color::WHITE);
  blend.SetRGB(-20, 300, 128);
  EXPECT_EQ(blend.GetAsHex(), 0x00FF80u);
  EXPECT_EQ(blend.a, 1.0f);
}

TEST(Color, PackingClampsChannelsOutsideTheRange)
{
  const float nan = std::numeric_limits<float>::quiet_NaN();
  EXPECT_EQ(dg::Color(2.0f, -1.0f, nan).GetAsHex(), 0xFF0000u);
  EXPECT_EQ(dg::Color::YELLOW.GetAsHex(), 0xFFFF00u);
  EXPECT_EQ(dg::Color::BLACK.GetAsHex(), 0u);
}

TEST(Color, EqualityLooksAtAllFourChannels)
{
  EXPECT_EQ(dg::Color(1, 1, 1, 1), dg::Color::WHITE);
  EXPECT_NE(dg::Color(1, 1, 1, 0.5f), dg::Color::WHITE);
  EXPECT_NE(dg::Color(1, 1, 0.999f, 1), dg::Color::WHITE);
}

} // namespace
