#include <gtest/gtest.h>

#include <cerrno>

#include "errors/error_codes.h"
#include "errors/system_error.h"
#include "image_writers.h"
#include "imaging/dib_image_buffer.h"
#include "imaging/pcx_reader.h"

namespace mascot {
namespace {

using testing::Bytes;
using testing::MakePcx;
using testing::PcxFields;

std::shared_ptr<Bitmap> Decode(const Bytes& file, std::uint32_t* bpp = nullptr) {
  DibImageFile imageFile;
  if (!ReadPcxBytes(file, imageFile)) return nullptr;
  if (bpp) *bpp = imageFile.bitsPerPixel();
  return dynamic_cast<DibImageBuffer*>(imageFile.image())->Detach();
}

Bytes Ramp(std::size_t n, std::uint8_t first = 0) {
  Bytes b(n);
  for (std::size_t i = 0; i < n; ++i) b[i] = static_cast<std::uint8_t>(first + i);
  return b;
}

TEST(PcxReader, EightBitWithEndPaletteAndPaddingColumns) {
  PcxFields fields{.width = 37, .height = 2, .bytesPerLine = 38};
  Bytes first = Ramp(38, 100);
  first[37] = 0xEE;  // the line's 38th byte lands in column 37
  Bytes endPalette(768, 0);
  endPalette[3 * 100] = 0x12;
  std::uint32_t bpp = 0;
  auto bitmap = Decode(MakePcx(fields, {first, Ramp(38, 200)}, endPalette), &bpp);
  ASSERT_NE(bitmap, nullptr);
  EXPECT_EQ(bpp, 8u);
  EXPECT_EQ(bitmap->width(), 40);
  EXPECT_EQ(bitmap->pixelValue(37, 0), 0xEEu);
  EXPECT_EQ(bitmap->pixelValue(38, 0), 100u);
  EXPECT_EQ(bitmap->pixelValue(39, 1), 100u);
  EXPECT_EQ(bitmap->pixelColour(0, 0), Rgb(0x12, 0, 0));

  // Without the 12 mark the header's colours are used and the last bytes
  // are data the decoder never reaches.
  Bytes noMark = MakePcx(fields, {first, Ramp(38, 200)}, endPalette);
  noMark[noMark.size() - 769] = 11;
  bitmap = Decode(noMark);
  ASSERT_NE(bitmap, nullptr);
  EXPECT_EQ(bitmap->pixelColour(0, 0), 0u);

  Bytes tooShort = MakePcx(fields, {Bytes(38, 0), Bytes(38, 0)});
  tooShort.resize(896, 0);
  EXPECT_EQ(Decode(tooShort), nullptr);
}

TEST(PcxReader, OneBitUsesTheFirstTwoHeaderColours) {
  PcxFields fields{.bitsPerPlane = 1, .width = 10, .height = 1, .bytesPerLine = 2};
  fields.palette[3] = 0xFF;  // colour 1 red
  auto bitmap = Decode(MakePcx(fields, {{0b01100000, 0b11000000}}));
  ASSERT_NE(bitmap, nullptr);
  EXPECT_EQ(bitmap->pixelValue(0, 0), 0u);
  EXPECT_EQ(bitmap->pixelValue(8, 0), 1u);
  EXPECT_EQ(bitmap->pixelColour(1, 0), Rgb(255, 0, 0));
  EXPECT_EQ(bitmap->colourTable()[2], (RgbQuad{2, 2, 2, 0}));  // only two colours set over the grey ramp
}

TEST(PcxReader, PlanarAndPackedFourBitPictures) {
  // 4 planes: pixel x has bit p set when plane p has bit x set.
  PcxFields planar{.version = 3, .bitsPerPlane = 1, .planes = 4, .width = 3, .height = 1, .bytesPerLine = 1};
  std::uint32_t bpp = 0;
  auto bitmap = Decode(MakePcx(planar, {{0b10100000, 0b01100000, 0, 0b00100000}}), &bpp);
  ASSERT_NE(bitmap, nullptr);
  EXPECT_EQ(bpp, 8u);
  EXPECT_EQ(bitmap->pixelValue(0, 0), 1u);
  EXPECT_EQ(bitmap->pixelValue(1, 0), 2u);
  EXPECT_EQ(bitmap->pixelValue(2, 0), 11u);
  EXPECT_EQ(bitmap->pixelValue(3, 0), 1u);  // padding: the top-left colour
  EXPECT_EQ(bitmap->pixelColour(1, 0), Rgb(0, 0xAA, 0));  // built-in colours for version 3

  PcxFields twoPlanes{.bitsPerPlane = 1, .planes = 2, .width = 2, .height = 1, .bytesPerLine = 2};
  bitmap = Decode(MakePcx(twoPlanes, {{0b01000000, 0, 0b11000000, 0}}));
  ASSERT_NE(bitmap, nullptr);
  EXPECT_EQ(bitmap->pixelValue(0, 0), 2u);
  EXPECT_EQ(bitmap->pixelValue(1, 0), 3u);

  PcxFields packed{.bitsPerPlane = 4, .width = 3, .height = 1, .bytesPerLine = 2};
  Bytes file = MakePcx(packed, {{0x5A, 0x3F}});
  file.resize(900, 0);  // a 16-colour file still has to be long enough
  bitmap = Decode(file);
  ASSERT_NE(bitmap, nullptr);
  EXPECT_EQ(bitmap->pixelValue(0, 0), 5u);
  EXPECT_EQ(bitmap->pixelValue(1, 0), 10u);
  EXPECT_EQ(bitmap->pixelValue(3, 0), 15u);  // four pixels from two bytes
}

TEST(PcxReader, TrueColourPlanesBecomeBgrPixels) {
  PcxFields fields{.bitsPerPlane = 8, .planes = 3, .width = 2, .height = 1, .bytesPerLine = 2};
  std::uint32_t bpp = 0;
  auto bitmap = Decode(MakePcx(fields, {{10, 20, 30, 40, 50, 60}}), &bpp);
  ASSERT_NE(bitmap, nullptr);
  EXPECT_EQ(bpp, 24u);
  EXPECT_EQ(bitmap->bitsPerPixel(), 24);
  EXPECT_EQ(bitmap->pixelColour(0, 0), Rgb(10, 30, 50));
  EXPECT_EQ(bitmap->pixelColour(1, 0), Rgb(20, 40, 60));
  EXPECT_EQ(bitmap->pixelColour(3, 0), Rgb(10, 30, 50));
}

TEST(PcxReader, RefusesBrokenFiles) {
  PcxFields fields{.width = 4, .height = 2, .bytesPerLine = 4};
  Bytes good = MakePcx(fields, {Ramp(4), Ramp(4)}, Bytes(768, 0));
  ASSERT_NE(Decode(good), nullptr);

  Bytes wrongMaker = good;
  wrongMaker[0] = 11;
  EXPECT_EQ(Decode(wrongMaker), nullptr);

  // A run that passes the end of a line.
  Bytes overrun = MakePcx(fields, {}, Bytes(768, 0));
  overrun.insert(overrun.begin() + 128, {0xC5, 1, 0xC3, 1});
  EXPECT_EQ(Decode(overrun), nullptr);

  // Rows missing: the data ends before the second line.
  Bytes shortData = MakePcx(fields, {Ramp(4)}, Bytes(768, 0));
  EXPECT_EQ(Decode(shortData), nullptr);

  auto withHeader = [&](int offset, std::uint16_t value) {
    Bytes b = good;
    b[offset] = std::uint8_t(value);
    b[offset + 1] = std::uint8_t(value >> 8);
    return b;
  };
  EXPECT_EQ(Decode(withHeader(8, 0xFFFF)), nullptr);   // 65536 wide
  EXPECT_EQ(Decode(withHeader(4, 5)), nullptr);        // xmin past xmax
  EXPECT_EQ(Decode(withHeader(66, 2)), nullptr);       // lines shorter than the width
  EXPECT_EQ(Decode(withHeader(10, 16000)), nullptr);   // rows the data cannot hold
  Bytes oddPlanes = good;
  oddPlanes[65] = 2;
  EXPECT_EQ(Decode(oddPlanes), nullptr);
}

// Each failure leaves its own reason, never the one of an earlier failure.
TEST(PcxReader, EveryFailureSetsItsReason) {
  const Bytes good = MakePcx(PcxFields{.width = 2, .height = 1}, {Bytes{1, 2}}, Bytes(768, 0));
  Bytes wrongMaker = good;
  wrongMaker[0] = 11;
  Bytes badLayout = good;
  badLayout[65] = 2;  // two 8-bit planes
  Bytes runPastLine = MakePcx(PcxFields{.version = 3, .width = 2, .height = 1}, {});
  runPastLine.insert(runPastLine.end(), {0xC5, 7, 0, 0});
  const struct {
    const char* name;
    Bytes file;
    ErrorCode reason;
  } cases[] = {
      {"short header", Bytes(good.begin(), good.begin() + 100), kErrUnexpectedEnd},
      {"header only", Bytes(good.begin(), good.begin() + 128), kErrUnexpectedEnd},
      {"256 colours without room for them", Bytes(good.begin(), good.begin() + 600), kErrUnexpectedEnd},
      {"wrong manufacturer", wrongMaker, CrtErrorCode(EINVAL)},
      {"unknown plane layout", badLayout, CrtErrorCode(EINVAL)},
      {"rows cut short", MakePcx(PcxFields{.version = 3, .width = 2, .height = 9}, {Bytes{1, 2}}), kErrUnexpectedEnd},
      {"a run past the line", runPastLine, CrtErrorCode(EINVAL)},
  };
  for (const auto& c : cases) {
    SetLastSystemError(CrtErrorCode(ENOENT));
    EXPECT_EQ(Decode(c.file), nullptr) << c.name;
    EXPECT_EQ(LastSystemError(), c.reason) << c.name;
  }
}

// 24-bit rows of full runs: 8192 x 8193 pixels (600 MB decoded) from 6 MB.
TEST(PcxReader, PicturesBeyondTheBudgetAreRefusedBeforeTheyAreMade) {
  PcxFields fields{.bitsPerPlane = 8, .planes = 3, .width = 8192, .height = 8193, .bytesPerLine = 8192};
  Bytes file = MakePcx(fields, {});
  Bytes line;
  for (std::size_t left = 3 * 8192; left > 0; left -= std::min<std::size_t>(left, 63))
    line.insert(line.end(), {std::uint8_t(0xC0 | std::min<std::size_t>(left, 63)), 5});
  for (unsigned y = 0; y < fields.height; ++y) testing::Append(file, line);
  SetLastSystemError(0);
  EXPECT_EQ(Decode(file), nullptr);
  EXPECT_EQ(LastSystemError(), CrtErrorCode(EFBIG));
}

}  // namespace
}  // namespace mascot
