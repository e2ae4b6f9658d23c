#include <gtest/gtest.h>

#include "storage/text_encoding.h"

namespace mascot {
namespace {

TEST(TextEncoding, ValidatesUtf8Strictly) {
  EXPECT_TRUE(IsValidUtf8("Caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x90\xB1 \xF4\x8F\xBF\xBF"));
  // A 1252 byte, cut short, overlong twice, a surrogate, above U+10FFFF, a lone continuation.
  for (const char* bad : {"Caf\xE9", "\xE2\x82", "\xC0\xAF", "\xE0\x80\xAF", "\xED\xA0\x80",
                          "\xF4\x90\x80\x80", "\x80"})
    EXPECT_FALSE(IsValidUtf8(bad)) << bad;
}

TEST(TextEncoding, Windows1252Table) {
  EXPECT_EQ(Windows1252ToUtf8("a\x80\x8A\x99\x9F"), "a\xE2\x82\xAC\xC5\xA0\xE2\x84\xA2\xC5\xB8");
  // The undefined bytes become the C1 controls of the same number.
  EXPECT_EQ(Windows1252ToUtf8("\x81\x8D\x8F\x90\x9D"), "\xC2\x81\xC2\x8D\xC2\x8F\xC2\x90\xC2\x9D");
  EXPECT_EQ(Windows1252ToUtf8("\xA0\xE9\xFF"), "\xC2\xA0\xC3\xA9\xC3\xBF");
  std::string all;
  for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
  EXPECT_TRUE(IsValidUtf8(Windows1252ToUtf8(all)));
  EXPECT_EQ(DecodeFileText("\xEF\xBB\xBF[S]"), "[S]");  // a UTF-8 byte order mark is dropped
}

}  // namespace
}  // namespace mascot
