#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <string>
#include <vector>

#include "allocation_meter.h"
#include "errors/error_codes.h"
#include "errors/system_error.h"
#include "import/xpm_colour_line.h"
#include "import/xpm_reader.h"

namespace mascot {
namespace {

// An XPM file as drawing programs write it: each string quoted on its own line.
std::string Xpm(const std::vector<std::string>& strings) {
  std::string text = "/* XPM */\nstatic char *picture[] = {\n/* columns rows colors chars-per-pixel */\n";
  for (const std::string& s : strings) text += "\"" + s + "\",\n";
  return text + "};\n";
}

TEST(XpmColours, ReadsHexDigitsPerGroupAndNamesWithoutCaseOrSpaces) {
  const std::pair<const char*, std::int32_t> cases[] = {
      {"#FF0000", 0x0000FF},        {"#00ff00", 0x00FF00},   {"#F00", 0x00000F},
      {"#FFFF00000000", 0x0000FF},  {"#123456789", 0x895623}, {"#12", 0},
      {"gray50", 0x7F7F7F},         {"GRAY50", 0x7F7F7F},     {"grey50", 0x7F7F7F},
      {"alice blue", 0xFFF8F0},     {"Aquamarine", 0xC1BF32}, {"dark blue", 0x8B0000},
      {"Transparent", 0x010000},    {"None", kUnknownXpmColour}, {"no such colour", kUnknownXpmColour},
  };
  for (const auto& [value, colour] : cases) EXPECT_EQ(XpmColourValue(value), colour) << value;
}

TEST(XpmColours, TakesTheKeyThenTheValueAfterTheFirstLetterC) {
  auto line = ParseXpmColourLine("c  c #0000FF", 2);
  ASSERT_TRUE(line);
  EXPECT_EQ(line->key, "c ");
  EXPECT_EQ(line->colour, 0xFF0000);
  line = ParseXpmColourLine("ab s mask", 2);  // no 'c' after the key
  ASSERT_TRUE(line);
  EXPECT_EQ(line->key, "");
  EXPECT_EQ(line->colour, 0);
  EXPECT_FALSE(ParseXpmColourLine("ab", 2));
}

TEST(XpmReader, PadsRowsWithTheTransparentColourOrTheTopLeftPixel) {
  // z is in no colour line: black, which no table entry has, so entry 0.
  auto transparent = DecodeXpm(Xpm({"3 2 2 1", ". c None", "x c #FF0000", ".xz", "xx."}));
  ASSERT_TRUE(transparent);
  EXPECT_EQ(transparent->bitsPerPixel(), 8);
  EXPECT_EQ(transparent->width(), 4);
  ASSERT_EQ(transparent->colourTable().size(), 2u);
  const std::uint32_t clear = 0x000001;  // the smallest value no colour has
  const std::vector<std::uint32_t> expected = {clear, 0x0000FF, clear, clear, 0x0000FF, 0x0000FF, clear, clear};
  std::vector<std::uint32_t> got;
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 4; ++x) got.push_back(transparent->pixelColour(x, y));
  EXPECT_EQ(got, expected);

  // Every colour known: "bad" joins the map, and the padding is the top-left pixel's colour.
  auto opaque = DecodeXpm(Xpm({"3 2 2 1", ". c white", "x c #FF0000", "x..", "..x"}));
  ASSERT_TRUE(opaque);
  EXPECT_EQ(opaque->colourTable().size(), 3u);
  EXPECT_EQ(opaque->pixelColour(3, 0), 0x0000FFu);
  EXPECT_EQ(opaque->pixelColour(3, 1), 0x0000FFu);
  EXPECT_EQ(opaque->pixelColour(1, 0), 0xFFFFFFu);
}

// A picture of `count` distinct colours (keys of two characters), one row
// showing each colour once.
std::string ManyColours(int count, bool firstIsNone) {
  const std::string alphabet = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789+-";
  std::vector<std::string> strings = {std::to_string(count) + " 1 " + std::to_string(count) + " 2"};
  std::string row;
  for (int i = 0; i < count; ++i) {
    std::string key{alphabet[static_cast<std::size_t>(i / 64)], alphabet[static_cast<std::size_t>(i % 64)]};
    char colour[16];
    std::snprintf(colour, sizeof colour, "#%06X", 0x102030 + i * 3);
    strings.push_back(key + " c " + (i == 0 && firstIsNone ? std::string("None") : std::string(colour)));
    row += key;
  }
  strings.push_back(row);
  return Xpm(strings);
}

TEST(XpmReader, UsesThirtyTwoBitsBeyond256MapEntries) {
  const struct {
    int colours;
    bool none;
    int bitsPerPixel;
  } cases[] = {{255, false, 8}, {256, true, 8}, {256, false, 32}, {300, false, 32}};
  for (const auto& c : cases) {
    auto bitmap = DecodeXpm(ManyColours(c.colours, c.none));
    ASSERT_TRUE(bitmap) << c.colours;
    EXPECT_EQ(bitmap->bitsPerPixel(), c.bitsPerPixel) << c.colours << " none " << c.none;
    // #102030 + 3 * 200 = #102288, as 0x00BBGGRR.
    EXPECT_EQ(bitmap->pixelColour(200, 0), 0x882210u) << c.colours;
  }
  auto wide = DecodeXpm(ManyColours(300, false));
  EXPECT_EQ(wide->width(), 300);
  EXPECT_EQ(wide->pixelValue(0, 0) & 0xFFFFFF, 0x102030u);
}

TEST(XpmReader, RefusesTextThatIsNotAWholePicture) {
  const std::vector<std::string> cases = {
      "",
      Xpm({""}),
      Xpm({"4 4 1"}),
      Xpm({"0 4 1 1", "a c red", "a"}),
      Xpm({"2 2 1 0", "a c red", "", ""}),
      Xpm({"20000 1 1 1", "a c red", std::string(20000, 'a')}),
      Xpm({"4000 4000 1 1", "a c red", "aaaa"}),
      Xpm({"2 1 3 1", "a c red", "b c blue"}),
      Xpm({"2 1 1 1", "", "aa"}),
      Xpm({"2 2 1 1", "a c red", "aa"}),
      Xpm({"2 1 1 1", "a c red", "a"}),
  };
  for (const std::string& text : cases) {
    SetLastSystemError(kNoError);
    EXPECT_FALSE(DecodeXpm(text)) << text;
    EXPECT_NE(LastSystemError(), kNoError) << text;
  }
}

// A 1 x 1 picture behind `count` colour lines of distinct 4-character keys,
// each line as short as a line can be.
std::string ManyColours(std::size_t count) {
  std::string text = "\"1 1 " + std::to_string(count) + " 4\"\n";
  for (std::size_t i = 0; i < count; ++i) {
    std::string key(4, 'a');
    for (std::size_t n = i, at = 0; at < 4; ++at, n /= 64) key[at] = static_cast<char>('0' + n % 64);
    text += "\"" + key + "c0\"\n";
  }
  return text + "\"0000\"\n";
}

// The colour map costs in proportion to the file, a few bytes a line.
TEST(XpmReader, ColourMapCostsAFewBytesALine) {
  std::size_t peaks[2] = {};
  for (std::size_t i = 0; i < 2; ++i) {
    const std::string text = ManyColours(200000 << i);
    testing::StartAllocationMeter();
    ASSERT_TRUE(DecodeXpm(text));
    peaks[i] = testing::PeakAllocationSinceStart();
    EXPECT_LT(peaks[i], 3 * text.size()) << text.size() << " bytes of text";
  }
  EXPECT_LT(peaks[1], peaks[0] * 5 / 2);
}

TEST(XpmReader, PicturesBeyondTheBudgetAreRefused) {
  for (const char* values : {"9000 9000 1 1", "1 1 99999999 1"}) {
    SetLastSystemError(0);
    EXPECT_FALSE(DecodeXpm(Xpm({values, ". c None", "."}))) << values;
    EXPECT_EQ(LastSystemError(), CrtErrorCode(EFBIG)) << values;
  }
}

}  // namespace
}  // namespace mascot
