#include <gtest/gtest.h>

#include <cerrno>

#include "errors/system_error.h"
#include "image_writers.h"
#include "imaging/bmp_reader.h"

namespace mascot {
namespace {

using testing::BmpFields;
using testing::Bytes;
using testing::MakeBmp;

std::shared_ptr<Bitmap> Read(const BmpFields& fields) { return ReadBmp(MakeBmp(fields)); }

Bytes Masks(std::uint32_t r, std::uint32_t g, std::uint32_t b) {
  Bytes m;
  testing::PutLe32(m, {r, g, b});
  return m;
}

TEST(BmpReader, IndexedDepthsKeepTheirTables) {
  // 8 bits, bottom-up, 3 colours in the table.
  BmpFields eight{.width = 3, .height = 2, .coloursUsed = 3,
                .table = {0, 0, 0, 0, 0, 0, 255, 0, 255, 0, 0, 0},
                .pixels = {1, 1, 1, 0, 2, 2, 0, 0}};
  auto bitmap = Read(eight);
  ASSERT_NE(bitmap, nullptr);
  EXPECT_EQ(bitmap->bitsPerPixel(), 8);
  EXPECT_EQ(bitmap->colourTable().size(), 3u);
  EXPECT_EQ(bitmap->pixelColour(0, 0), Rgb(0, 0, 255));  // the file's last row is the top
  EXPECT_EQ(bitmap->pixelColour(0, 1), Rgb(255, 0, 0));

  BmpFields one{.width = 10, .height = 1, .bitCount = 1, .table = {0, 0, 0, 0, 255, 255, 255, 0},
              .pixels = {0b10000000, 0b01000000, 0, 0}};
  bitmap = Read(one);
  ASSERT_NE(bitmap, nullptr);
  EXPECT_EQ(bitmap->bitsPerPixel(), 1);
  EXPECT_EQ(bitmap->pixelColour(0, 0), Rgb(255, 255, 255));
  EXPECT_EQ(bitmap->pixelValue(9, 0), 1u);

  // 4 bits with the table cut short by the pixel offset: 2 entries.
  BmpFields four{.width = 3, .height = 1, .bitCount = 4, .table = Bytes(8, 0x40), .pixels = {0x10, 0x20, 0, 0}};
  bitmap = Read(four);
  ASSERT_NE(bitmap, nullptr);
  EXPECT_EQ(bitmap->colourTable().size(), 2u);
  EXPECT_EQ(bitmap->pixelValue(2, 0), 2u);

  BmpFields core{.headerSize = 12, .width = 2, .height = 1, .table = Bytes(3 * 256, 0), .pixels = {7, 9, 0, 0}};
  core.table[3 * 9 + 2] = 200;
  bitmap = Read(core);
  ASSERT_NE(bitmap, nullptr);
  EXPECT_EQ(bitmap->colourTable().size(), 256u);
  EXPECT_EQ(bitmap->pixelColour(1, 0), Rgb(200, 0, 0));
}

TEST(BmpReader, TrueColourDepthsAndMasks) {
  BmpFields rgb{.width = 1, .height = 2, .bitCount = 24, .pixels = {1, 2, 3, 0, 4, 5, 6, 0}};
  auto bitmap = Read(rgb);
  ASSERT_NE(bitmap, nullptr);
  EXPECT_EQ(bitmap->pixelColour(0, 0), Rgb(6, 5, 4));

  BmpFields topDown = rgb;
  topDown.height = -2;
  EXPECT_EQ(Read(topDown)->pixelColour(0, 0), Rgb(3, 2, 1));

  BmpFields plain16{.width = 2, .height = 1, .bitCount = 16, .pixels = {0x00, 0x7C, 0x1F, 0x00}};
  bitmap = Read(plain16);
  ASSERT_NE(bitmap, nullptr);
  EXPECT_EQ(bitmap->pixelColour(0, 0), Rgb(255, 0, 0));
  EXPECT_EQ(bitmap->pixelColour(1, 0), Rgb(0, 0, 255));

  BmpFields masked16{.width = 2, .height = 1, .bitCount = 16, .compression = 3, .masks = Masks(0xF800, 0x07E0, 0x001F),
                   .pixels = {0xE0, 0x07, 0x00, 0xF8}};
  bitmap = Read(masked16);
  ASSERT_NE(bitmap, nullptr);
  EXPECT_EQ(bitmap->greenMask(), 0x07E0u);
  EXPECT_EQ(bitmap->pixelColour(0, 0), Rgb(0, 255, 0));
  EXPECT_EQ(bitmap->pixelColour(1, 0), Rgb(255, 0, 0));

  for (std::uint32_t headerSize : {108u, 124u}) {
    BmpFields v5{.headerSize = headerSize, .width = 1, .height = 1, .bitCount = 32, .compression = 3,
               .masks = Masks(0xFF, 0xFF00, 0xFF0000), .pixels = {10, 20, 30, 0}};
    bitmap = Read(v5);
    ASSERT_NE(bitmap, nullptr) << headerSize;
    EXPECT_EQ(bitmap->bitsPerPixel(), 32);
    EXPECT_EQ(bitmap->pixelColour(0, 0), Rgb(10, 20, 30));
  }
}

TEST(BmpReader, RunLengthPicturesWithEscapes) {
  // 4 x 3, bottom-up: a run clipped at the edge, end of line, a delta of one
  // row and one column, an absolute run, end of bitmap.
  BmpFields rle8{.width = 4, .height = 3, .compression = 1, .table = Bytes(16, 0),
               .pixels = {6, 1, 0, 0, 0, 2, 1, 1, 0, 3, 7, 8, 9, 0, 0, 1}};
  auto bitmap = Read(rle8);
  ASSERT_NE(bitmap, nullptr);
  EXPECT_EQ(bitmap->bitsPerPixel(), 8);
  EXPECT_EQ(bitmap->pixelValue(3, 2), 1u);  // bottom row, clipped run
  EXPECT_EQ(bitmap->pixelValue(0, 1), 0u);  // skipped row
  EXPECT_EQ(bitmap->pixelValue(0, 0), 0u);
  EXPECT_EQ(bitmap->pixelValue(1, 0), 7u);
  EXPECT_EQ(bitmap->pixelValue(3, 0), 9u);

  BmpFields rle4{.width = 5, .height = 1, .bitCount = 4, .compression = 2, .table = Bytes(64, 0),
               .pixels = {2, 0x12, 0, 3, 0x34, 0x50, 0, 1}};
  bitmap = Read(rle4);
  ASSERT_NE(bitmap, nullptr);
  EXPECT_EQ(bitmap->bitsPerPixel(), 4);
  for (int x = 0; x < 5; ++x) EXPECT_EQ(bitmap->pixelValue(x, 0), std::uint32_t(x + 1)) << x;
}

TEST(BmpReader, RefusesBrokenHeadersAndData) {
  BmpFields good{.width = 4, .height = 2, .coloursUsed = 2, .table = Bytes(8, 0), .pixels = Bytes(8, 1)};
  ASSERT_NE(Read(good), nullptr);
  auto refused = [&](auto change) {
    BmpFields s = good;
    change(s);
    return Read(s) == nullptr;
  };
  EXPECT_TRUE(refused([](BmpFields& s) { s.pixels.resize(5); }));
  EXPECT_TRUE(refused([](BmpFields& s) { s.width = 0; }));
  EXPECT_TRUE(refused([](BmpFields& s) { s.height = 0; }));
  EXPECT_TRUE(refused([](BmpFields& s) { s.width = 100000; }));
  EXPECT_TRUE(refused([](BmpFields& s) { s.height = -20000; }));
  EXPECT_TRUE(refused([](BmpFields& s) { s.bitCount = 7; }));
  EXPECT_TRUE(refused([](BmpFields& s) { s.compression = 2; }));  // RLE4 needs 4 bits
  EXPECT_TRUE(refused([](BmpFields& s) { s.compression = 1, s.height = -2; }));  // no top-down RLE
  EXPECT_TRUE(refused([](BmpFields& s) { s.compression = 3; }));  // bit fields on 8 bits
  EXPECT_TRUE(refused([](BmpFields& s) { s.headerSize = 64; }));
  EXPECT_TRUE(refused([](BmpFields& s) { s.compression = 1, s.width = 16000, s.height = 16000, s.pixels = {0, 1}; }));

  SetLastSystemError(0);
  Bytes truncated = MakeBmp(good);
  truncated.resize(20);
  EXPECT_EQ(ReadBmp(truncated), nullptr);
  EXPECT_NE(LastSystemError(), 0u);
  Bytes notBmp = MakeBmp(good);
  notBmp[1] = 'X';
  EXPECT_EQ(ReadBmp(notBmp), nullptr);
}

// Run-length data claims up to 1024 pixels a byte: 66 KB describe 8192 x 8193.
TEST(BmpReader, PicturesBeyondTheBudgetAreRefused) {
  BmpFields rle{.width = 8192, .height = 8193, .compression = 1, .table = Bytes(1024, 0), .pixels = Bytes(66000, 0)};
  BmpFields plain{.width = 16384, .height = -4097, .bitCount = 1, .pixels = Bytes(2048 * 4097, 0)};
  for (const BmpFields* fields : {&rle, &plain}) {
    SetLastSystemError(0);
    EXPECT_EQ(ReadBmp(MakeBmp(*fields)), nullptr) << fields->width;
    EXPECT_EQ(LastSystemError(), CrtErrorCode(EFBIG)) << fields->width;
  }
}

}  // namespace
}  // namespace mascot
