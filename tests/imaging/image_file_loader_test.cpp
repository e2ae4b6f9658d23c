#include <gtest/gtest.h>

#include <cerrno>

#include "errors/error_codes.h"
#include "errors/system_error.h"
#include "image_writers.h"
#include "imaging/image_file_loader.h"
#include "imaging/program_bitmaps.h"

namespace mascot {
namespace {

using testing::Bytes;
using testing::WriteScratch;

Bytes WithText(const std::string& start, std::size_t size = 12) {
  Bytes b(start.begin(), start.end());
  b.resize(std::max(size, b.size()), 'x');
  return b;
}

ImageFileType TypeOf(const Bytes& bytes) {
  return DetectImageFileType(WriteScratch("detect", "probe.bin", bytes));
}

TEST(DetectImageFileType, TwelveByteSignatures) {
  EXPECT_EQ(TypeOf(WithText("RRVQ")), ImageFileType::ResourceContainer);
  EXPECT_EQ(TypeOf(WithText("FORMxxxxANIM")), ImageFileType::IffAnimation);
  EXPECT_EQ(TypeOf(WithText("FORMxxxxILBM")), ImageFileType::IffPicture);
  EXPECT_EQ(TypeOf(WithText("FORMxxxxPBM ")), ImageFileType::IffPicture);
  EXPECT_EQ(TypeOf(WithText("FORMxxxxPBMX")), ImageFileType::Unknown);
  EXPECT_EQ(TypeOf(WithText("\n\rtext file")), ImageFileType::Unknown);
  EXPECT_EQ(TypeOf(WithText("\nother text")), ImageFileType::Pcx);
  EXPECT_EQ(TypeOf(WithText("GIF89a")), ImageFileType::Gif);
  EXPECT_EQ(TypeOf(WithText("BM")), ImageFileType::Bmp);
  EXPECT_EQ(TypeOf(WithText("BM", 11)), ImageFileType::Unknown);
  EXPECT_EQ(DetectImageFileType(""), ImageFileType::Unknown);
  EXPECT_EQ(DetectImageFileType(std::string(MASCOT_TEST_SCRATCH) + "/no/such/file.bmp"), ImageFileType::Unknown);
  EXPECT_EQ(DetectImageFileType(145), ImageFileType::ProgramResource);
  EXPECT_EQ(DetectImageFileType(0x10000), ImageFileType::Unknown);

  // The text PCX detection lets through still fails in the reader.
  EXPECT_EQ(LoadImageFile(WriteScratch("detect", "text.pcx", WithText("\nnot a picture", 300))), nullptr);
  EXPECT_EQ(LoadImageFile(WriteScratch("detect", "pic.gif", WithText("GIF89a", 64))), nullptr);
}

TEST(LoadImageFile, EachFormatFromAFile) {
  testing::PcxFields pcxFields{.width = 321, .height = 200, .bytesPerLine = 322};
  std::vector<Bytes> lines(200, Bytes(322, 3));
  std::string pcx = WriteScratch("load", "big.pcx", testing::MakePcx(pcxFields, lines, Bytes(768, 50)));
  std::uint32_t bpp = 0, width = 0, height = 0;
  ASSERT_TRUE(GetImageFileInfo(pcx, bpp, width, height));
  EXPECT_EQ(width, 321u);
  EXPECT_EQ(height, 200u);
  EXPECT_EQ(bpp, 8u);
  auto bitmap = LoadImageFile(pcx);
  ASSERT_NE(bitmap, nullptr);
  EXPECT_EQ(bitmap->width(), 324);
  EXPECT_EQ(bitmap->pixelColour(323, 199), Rgb(50, 50, 50));

  Bytes body = {0xFF, 0xC0, 0xFF, 0};  // 2 x 1: both pixels 1 in plane 0, 0 in plane 1
  Bytes ilbm = testing::Form("ILBM", {testing::Bmhd(2, 1, 2, 0, 1), testing::Chunk("CMAP", {0, 0, 0, 9, 8, 7}),
                                      testing::Chunk("BODY", body)});
  std::string lbm = WriteScratch("load", "pic.lbm", ilbm);
  ASSERT_TRUE(GetImageFileInfo(lbm, bpp, width, height));
  EXPECT_EQ(bpp, 2u);
  bitmap = LoadImageFile(lbm);
  ASSERT_NE(bitmap, nullptr);
  EXPECT_EQ(bitmap->pixelColour(3, 0), Rgb(9, 8, 7));
  EXPECT_EQ(bitmap->colourTable()[200], (RgbQuad{200, 200, 200, 0}));  // beyond the CMAP: grey

  testing::BmpFields bmpFields{.width = 3, .height = 5, .bitCount = 24, .pixels = Bytes(60, 0x80)};
  std::string bmp = WriteScratch("load", "pic.bmp", testing::MakeBmp(bmpFields));
  ASSERT_TRUE(GetImageFileInfo(bmp, bpp, width, height));
  EXPECT_EQ(bpp, 24u);

  // Outputs stay untouched on failure.
  bpp = width = height = 77;
  EXPECT_FALSE(GetImageFileInfo(WriteScratch("load", "noheader.lbm", testing::Form("ILBM", {})), bpp, width, height));
  EXPECT_FALSE(GetImageFileInfo(WriteScratch("load", "c.mascot", WithText("RRVQ", 64)), bpp, width, height));
  EXPECT_EQ(width, 77u);
  // A picture without a BMHD produced no image.
  EXPECT_EQ(LoadImageFile(WriteScratch("load", "empty.lbm", testing::Form("ILBM", {}))), nullptr);
}

TEST(LoadImageFile, ProgramBitmapsByNumber) {
  EXPECT_EQ(LoadImageFile(145), nullptr);
  testing::BmpFields fields{.width = 2, .height = 2, .bitCount = 24, .pixels = Bytes(16, 0x20)};
  Bytes file = testing::MakeBmp(fields);
  ASSERT_TRUE(RegisterProgramBitmap(145, file.data(), file.size()));
  EXPECT_FALSE(RegisterProgramBitmap(0x10000, file.data(), file.size()));
  ASSERT_NE(LoadImageFile(145), nullptr);

  Bytes packed(file.begin() + 14, file.end());
  ASSERT_TRUE(RegisterProgramBitmap(146, packed.data(), packed.size()));
  ASSERT_NE(LoadImageFile(146), nullptr);
  UnregisterProgramBitmap(145);
  UnregisterProgramBitmap(146);
  EXPECT_EQ(LoadImageFile(145), nullptr);
}

// A failed picture is reported with its own reason, never with what an
// earlier failure left behind.
TEST(LoadImageFile, EveryFailureSetsItsReason) {
  Bytes noBody = testing::Form("ILBM", {testing::Bmhd(2, 1, 1, 0, 1), testing::Chunk("PADD", Bytes(8, 0))});
  const struct {
    const char* name;
    Bytes file;
    ErrorCode reason;
  } cases[] = {
      {"too short to tell", Bytes{'B'}, kErrUnexpectedEnd},
      {"empty", Bytes{}, kErrUnexpectedEnd},
      {"unknown", WithText("plain text here"), CrtErrorCode(EINVAL)},
      {"gif", WithText("GIF89a", 64), CrtErrorCode(EINVAL)},
      {"container", WithText("RRVQ", 64), CrtErrorCode(EINVAL)},
      {"text taken for pcx", WithText("\nnot a picture", 300), CrtErrorCode(EINVAL)},
      {"pcx without rows", WithText("\x0a\x05\x01\x08", 128), kErrUnexpectedEnd},
      {"lbm without body", noBody, kErrUnexpectedEnd},
      {"lbm without header", testing::Form("ILBM", {}), kErrUnexpectedEnd},
  };
  for (const auto& c : cases) {
    const std::string path = WriteScratch("reasons", "file.bin", c.file);
    SetLastSystemError(CrtErrorCode(ENOENT));
    EXPECT_EQ(LoadImageFile(path), nullptr) << c.name;
    EXPECT_EQ(LastSystemError(), c.reason) << c.name;
    std::uint32_t bpp = 0, width = 0, height = 0;
    SetLastSystemError(CrtErrorCode(ENOENT));
    if (!GetImageFileInfo(path, bpp, width, height)) {
      EXPECT_NE(LastSystemError(), CrtErrorCode(ENOENT)) << c.name;
    }
  }
  SetLastSystemError(0);
  EXPECT_EQ(LoadImageFile(std::string(MASCOT_TEST_SCRATCH) + "/no/such/file.pcx"), nullptr);
  EXPECT_EQ(LastSystemError(), CrtErrorCode(ENOENT));
}

}  // namespace
}  // namespace mascot
