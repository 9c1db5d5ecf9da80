#include <du/WideString.h>

#include <gtest/gtest.h>

#include <string>

namespace {

// U+1F600, outside the basic plane: four UTF-8 bytes, a surrogate pair in UTF-16.
const std::string kFaceUtf8 = "\xF0\x9F\x98\x80";
const std::u16string kFaceUtf16 = u"\xD83D\xDE00";
const std::string kReplacement = "\xEF\xBF\xBD"; // U+FFFD in UTF-8

TEST(WideString, SurrogatePairsConvertBothWays)
{
  EXPECT_EQ(du::Utf8ToUtf16(kFaceUtf8), kFaceUtf16);
  EXPECT_EQ(du::WideStrToUtf8(kFaceUtf16), kFaceUtf8);
  EXPECT_EQ(du::WideStrToUtf8(kFaceUtf16.c_str()), kFaceUtf8);

  // a, e-acute, face, euro sign, face, z: one, two, four, three and four bytes and one again
  const std::string mixed = "a\xC3\xA9" + kFaceUtf8 + "\xE2\x82\xAC" + kFaceUtf8 + "z";
  const std::u16string utf16 = du::Utf8ToUtf16(mixed);
  EXPECT_EQ(utf16, u"a\u00E9\U0001F600\u20AC\U0001F600z");
  EXPECT_EQ(du::WideStrToUtf8(utf16), mixed);
}

TEST(WideString, LoneSurrogatesBecomeReplacementCharacters)
{
  const char16_t highAtEnd[] = {u'a', 0xD83D, 0};
  EXPECT_EQ(du::WideStrToUtf8(highAtEnd), "a" + kReplacement);
  const char16_t lowAlone[] = {0xDE00, u'b', 0};
  EXPECT_EQ(du::WideStrToUtf8(lowAlone), kReplacement + "b");
  // A high surrogate followed by a plain character must not swallow that character.
  const char16_t highThenPlain[] = {0xD83D, u'c', 0};
  EXPECT_EQ(du::WideStrToUtf8(highThenPlain), kReplacement + "c");
  const char16_t twoHighs[] = {0xD83D, 0xD83D, 0xDE00, 0};
  EXPECT_EQ(du::WideStrToUtf8(twoHighs), kReplacement + kFaceUtf8);
}

TEST(WideString, LengthBoundsTheConversionOfParserText)
{
  // The parser hands out characters with a length; a pair cut by it is a lone surrogate.
  EXPECT_EQ(du::WideStrToUtf8(kFaceUtf16.data(), 1), kReplacement);
  const char16_t withZero[] = {u'x', 0, u'y'};
  EXPECT_EQ(du::WideStrToUtf8(withZero, 3), std::string("x\0y", 3));
  EXPECT_EQ(du::WideStrToUtf8(static_cast<const char16_t*>(nullptr), 5), "");
  EXPECT_EQ(du::WideStrToUtf8(static_cast<const char16_t*>(nullptr)), "");
  EXPECT_EQ(du::WideStrToUtf8(static_cast<const wchar_t*>(nullptr)), "");
}

TEST(WideString, LongAsciiRunsKeepEveryCharacterAroundOtherText)
{
  // ASCII goes over in blocks; runs that end at, just past and far past a block's end, with
  // other characters after them and appended to text that is already there.
  for (std::size_t run : {63u, 64u, 65u, 128u, 200u}) {
    const std::string ascii(run, 'k');
    std::u16string utf16(run, u'k');
    EXPECT_EQ(du::WideStrToUtf8(utf16), ascii);
    utf16 += u"\u00E9z";
    std::string out = "pre";
    du::AppendWideStrToUtf8(out, utf16.data(), utf16.size());
    EXPECT_EQ(out, "pre" + ascii + "\xC3\xA9z") << run;
  }
}

TEST(WideString, MalformedUtf8BecomesReplacementCharactersAndResynchronises)
{
  const struct
  {
    std::string input;
    std::u16string expected;
  } cases[] = {
      {"\xE2\x82\x41", u"\uFFFDA"},    // cut short by an ASCII byte ("A"), which is kept
      {"\xC0\xAF", u"\uFFFD\uFFFD"},   // overlong lead byte and a stray continuation
      {"\xE0\x80\xAF", u"\uFFFD"},     // overlong three-byte form of '/'
      {"\xED\xA0\x80", u"\uFFFD"},     // an encoded surrogate
      {"\xF4\x90\x80\x80", u"\uFFFD"}, // past U+10FFFF
      {"\x80\x62", u"\uFFFDb"},        // continuation byte without a lead, then "b"
      {"\xFF", u"\uFFFD"},             // never valid
      {"x\xF0\x9F\x98", u"x\uFFFD"},   // cut short by the end of the text
  };
  for (const auto& c : cases)
    EXPECT_EQ(du::Utf8ToUtf16(c.input), c.expected) << testing::PrintToString(c.input);
}

TEST(WideString, ThirtyTwoBitWideCharactersHoldWholeCodePoints)
{
  const std::wstring wide = du::Utf8ToWideStr("a" + kFaceUtf8);
  if constexpr (sizeof(wchar_t) == 4) {
    ASSERT_EQ(wide.size(), 2u) << "one wide character per code point, no surrogates";
    EXPECT_EQ(static_cast<unsigned long>(wide[1]), 0x1F600ul);
  } else {
    ASSERT_EQ(wide.size(), 3u);
  }
  EXPECT_EQ(du::WideStrToUtf8(wide), "a" + kFaceUtf8);
  EXPECT_EQ(du::WideStrToUtf8(wide.c_str()), "a" + kFaceUtf8);
  EXPECT_EQ(du::Utf8ToWideStr("\xED\xA0\x80\x62"), L"\uFFFDb"); // an encoded surrogate, then "b"

  if constexpr (sizeof(wchar_t) == 4) {
    const wchar_t outOfRange[] = {static_cast<wchar_t>(0x110000), static_cast<wchar_t>(0xD800), L'q', 0};
    EXPECT_EQ(du::WideStrToUtf8(outOfRange), kReplacement + kReplacement + "q");
  }
}

} // namespace
