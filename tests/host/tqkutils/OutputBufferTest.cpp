#include <du/OutputBuffer.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

TEST(OutputBuffer, FourByteValuesFollowTheBufferByteOrder)
{
  du::OutputBuffer host;
  EXPECT_EQ(host.GetByteOrder(), du::OutputBuffer::LEAST_SIGNIFICANT_FIRST);
  EXPECT_TRUE(host.Put4Byte(0x01020304u));
  EXPECT_TRUE(host.Put4Byte(0xFFFFFFFEu));
  EXPECT_EQ(host.GetBytes(), (Bytes{4, 3, 2, 1, 0xFE, 0xFF, 0xFF, 0xFF}));

  du::OutputBuffer network(du::OutputBuffer::MOST_SIGNIFICANT_FIRST);
  network.Put4Byte(0x01020304u);
  EXPECT_EQ(network.GetBytes(), (Bytes{1, 2, 3, 4}));
}

TEST(OutputBuffer, WritesARecordOfLengthsAndTextsInCallOrder)
{
  // A length-prefixed text, a flag and an empty text, as stored selections are laid out.
  du::OutputBuffer buffer;
  const std::string name = "sbomInstanceId";
  buffer.Put4Byte(static_cast<std::uint32_t>(name.size()));
  EXPECT_TRUE(buffer.Put1ByteArray(name.data(), name.size()));
  buffer.Put4Byte(1);
  buffer.Put4Byte(0);
  EXPECT_TRUE(buffer.Put1ByteArray(nullptr, 0)) << "an empty run writes nothing and succeeds";

  Bytes expected = {14, 0, 0, 0};
  expected.insert(expected.end(), name.begin(), name.end());
  expected.insert(expected.end(), {1, 0, 0, 0, 0, 0, 0, 0});
  EXPECT_EQ(buffer.GetBytes(), expected);
  EXPECT_EQ(buffer.GetSize(), 4 + 14 + 8u);
}

TEST(OutputBuffer, KeepsEveryByteValueIncludingZero)
{
  Bytes all(256);
  for (int i = 0; i < 256; ++i)
    all[i] = static_cast<std::uint8_t>(255 - i);
  du::OutputBuffer buffer;
  buffer.Put1ByteArray(all.data(), all.size());
  EXPECT_EQ(buffer.GetBytes(), all);
}

TEST(OutputBuffer, RefusesANullRunWithALength)
{
  du::OutputBuffer buffer;
  buffer.Put4Byte(7);
  EXPECT_FALSE(buffer.Put1ByteArray(nullptr, 3));
  EXPECT_EQ(buffer.GetBytes(), (Bytes{7, 0, 0, 0})) << "nothing was appended";
}

} // namespace
