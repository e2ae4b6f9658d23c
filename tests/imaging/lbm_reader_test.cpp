#include <gtest/gtest.h>

#include <cerrno>

#include "errors/system_error.h"
#include "image_writers.h"
#include "imaging/dib_image_buffer.h"
#include "imaging/lbm_reader.h"

namespace mascot {
namespace {

using testing::Bmhd;
using testing::Bytes;
using testing::Chunk;
using testing::Form;
using testing::IlbmBody;

struct Decoded {
  int result = 0;
  std::shared_ptr<Bitmap> bitmap;
  std::uint32_t bpp = 0;
  ImagePalette palette;
};

Decoded Decode(const Bytes& file) {
  DibImageFile imageFile;
  Decoded d;
  d.result = ReadLbmBytes(file, imageFile, kLbmLoadPicture, nullptr);
  d.bpp = imageFile.bitsPerPixel();
  d.palette = imageFile.palette();
  if (auto* image = dynamic_cast<DibImageBuffer*>(imageFile.image())) d.bitmap = image->Detach();
  return d;
}

// A 37 x 3 picture of indices 0..3 whose top-left pixel is 2.
Bytes Pixels() {
  Bytes p(37 * 3);
  for (std::size_t i = 0; i < p.size(); ++i) p[i] = static_cast<std::uint8_t>((i * 7 + 2) % 4);
  return p;
}

Bytes Ilbm(bool mask, bool packed) {
  Bytes cmap = {0, 0, 0, 255, 0, 0, 0, 255, 0, 0, 0, 255};
  return Form("ILBM", {Bmhd(37, 3, 2, mask ? 1 : 0, packed ? 1 : 0), Chunk("CMAP", cmap),
                       Chunk("BODY", IlbmBody(Pixels(), 37, 3, 2, mask, packed))});
}

void ExpectPixels(const Decoded& d) {
  ASSERT_EQ(d.result, kLbmOk);
  ASSERT_NE(d.bitmap, nullptr);
  ASSERT_EQ(d.bitmap->width(), 40);
  Bytes p = Pixels();
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 37; ++x) ASSERT_EQ(d.bitmap->pixelValue(x, y), p[y * 37 + x]) << x << "," << y;
    for (int x = 37; x < 40; ++x) EXPECT_EQ(d.bitmap->pixelValue(x, y), 2u);  // the top-left colour
  }
}

TEST(LbmReader, PlanarPicturesWithAndWithoutMaskOrCompression) {
  for (bool mask : {false, true})
    for (bool packed : {false, true}) {
      SCOPED_TRACE(mask * 2 + packed);
      Decoded d = Decode(Ilbm(mask, packed));
      ExpectPixels(d);
      EXPECT_EQ(d.bpp, 2u);
      EXPECT_EQ(d.palette.GetCount(), 4);
      EXPECT_EQ(d.palette.GetColours()[1], (PaletteColour{255, 0, 0, 0}));
    }
}

TEST(LbmReader, ChunkyPicturesAndAnimations) {
  Bytes rows[2] = {{5, 6, 7, 0xAB}, {8, 9, 10, 0xCD}};  // 3 pixels + pad byte per row
  for (int compression : {0, 1}) {
    Bytes body;
    for (const Bytes& row : rows) testing::Append(body, compression ? testing::ByteRun1(row) : row);
    Decoded d = Decode(Form("PBM ", {Bmhd(3, 2, 8, 0, compression), Chunk("BODY", body)}));
    ASSERT_EQ(d.result, kLbmOk);
    EXPECT_EQ(d.bitmap->pixelValue(2, 1), 10u);
    EXPECT_EQ(d.bitmap->pixelValue(3, 0), 0xABu);  // the row's pad byte stays
    EXPECT_EQ(d.bitmap->pixelColour(1, 0), Rgb(6, 6, 6));  // no CMAP: grey ramp
  }
  Bytes wide = {1, 2, 3, 4, 5, 6};
  Decoded d = Decode(Form("PBM ", {Bmhd(5, 1, 8, 0, 0), Chunk("BODY", wide)}));
  EXPECT_EQ(d.bitmap->pixelValue(5, 0), 6u);
  EXPECT_EQ(d.bitmap->pixelValue(7, 0), 1u);  // past the row bytes: the top-left colour

  Bytes secondFrame = Form("ILBM", {Chunk("ANHD", Bytes(40, 0)), Chunk("DLTA", Bytes(64, 0xFF))});
  Bytes laterPicture = Form("ILBM", {Bmhd(2, 2, 1, 0, 0), Chunk("BODY", Bytes(8, 0xFF))});
  Bytes anim;
  testing::PutText(anim, "ANIM");
  for (const Bytes& f : {Ilbm(false, true), secondFrame, laterPicture}) testing::Append(anim, f);
  ExpectPixels(Decode(Chunk("FORM", anim)));
}

TEST(LbmReader, PaletteCountsAndColourRanges) {
  auto withCmap = [](std::size_t size) {
    return Decode(Form("ILBM", {Chunk("CMAP", Bytes(size, 9)), Bmhd(1, 1, 1, 0, 0), Chunk("BODY", {0, 0})}));
  };
  EXPECT_EQ(withCmap(900).palette.GetCount(), 256);
  EXPECT_EQ(withCmap(9).palette.GetCount(), 3);

  auto crng = [](unsigned rate, unsigned flags, std::uint8_t low, std::uint8_t high) {
    Bytes b = {0, 0};
    testing::PutBe16(b, {rate, flags});
    b.insert(b.end(), {low, high});
    return Chunk("CRNG", b);
  };
  std::vector<Bytes> chunks = {Bmhd(1, 1, 1, 0, 0), crng(16384, 1, 2, 9), crng(16384, 3, 2, 9),
                               crng(16384, 4, 2, 9), crng(100, 1, 5, 5)};
  for (int i = 0; i < 14; ++i) chunks.push_back(crng(2048, 1, std::uint8_t(i), 200));
  Decoded d = Decode(Form("ILBM", chunks));
  ASSERT_EQ(d.result, kLbmOk);
  EXPECT_EQ(d.palette.GetRangeCount(), 16);  // the 17th and later are ignored
  const auto& r = d.palette.GetRanges();
  EXPECT_EQ(r[0].rate, 1000 & 0xFF);
  EXPECT_EQ(r[0].direction, 1);
  EXPECT_EQ(r[1].direction, -1);
  EXPECT_EQ(r[2].rate, 0);  // flags out of range
  EXPECT_EQ(r[3].rate, 0);  // low == high
  EXPECT_EQ(r[15].low, 11);
  EXPECT_EQ(r[15].rate, 125);
}

TEST(LbmReader, BrokenFilesFailCleanly) {
  EXPECT_EQ(Decode(Form("ILBM", {Chunk("BODY", Bytes(8, 0)), Bmhd(4, 1, 1, 0, 0)})).result, kLbmBadFile);
  EXPECT_EQ(Decode(Form("8SVX", {})).result, kLbmBadFile);
  EXPECT_EQ(Decode(Form("ANIM", {Form("ACBM", {})})).result, kLbmBadFile);

  Bytes good = Ilbm(false, true);
  SetLastSystemError(0);
  Decoded truncated = Decode(Bytes(good.begin(), good.end() - 6));
  EXPECT_EQ(truncated.result, kLbmShortRead);
  EXPECT_EQ(LastSystemError(), kErrUnexpectedEnd);
  EXPECT_EQ(Decode(Bytes(good.begin(), good.begin() + 10)).result, kLbmShortRead);

  // A body whose runs end before the rows do.
  Bytes shortBody = Form("ILBM", {Bmhd(16, 2, 1, 0, 1), Chunk("BODY", {0xFF, 1, 0xFF}), Chunk("PADD", Bytes(8, 0))});
  EXPECT_EQ(Decode(shortBody).result, kLbmShortRead);
  // A header promising more rows than the file could hold is refused before
  // the picture is made.
  Decoded huge = Decode(Form("ILBM", {Bmhd(16000, 16000, 8, 0, 1), Chunk("BODY", Bytes(64, 0))}));
  EXPECT_EQ(huge.result, kLbmShortRead);
  EXPECT_EQ(huge.bitmap, nullptr);
  EXPECT_EQ(Decode(Form("ILBM", {Bmhd(0, 5, 1, 0, 0)})).result, kLbmBadFile);
  EXPECT_EQ(Decode(Form("ILBM", {Bmhd(20000, 1, 1, 0, 0)})).result, kLbmBadFile);
  // A chunk claiming more bytes than there are.
  Bytes lying = Form("ILBM", {Bmhd(2, 1, 1, 0, 0), Chunk("BODY", {0, 0})});
  lying[lying.size() - 6] = 0x7F;
  EXPECT_EQ(Decode(lying).result, kLbmShortRead);
}

// A picture is made once, for its BODY: headers alone cost nothing, however
// many there are, and a refused file says why.
TEST(LbmReader, PicturesAreMadeForTheirBodyWithinTheBudget) {
  std::vector<Bytes> headers(200, Bmhd(4096, 4096, 1, 0, 1));
  headers.push_back(Chunk("PADD", Bytes(40000, 0)));
  DibImageFile imageFile;
  EXPECT_EQ(ReadLbmBytes(Form("ILBM", headers), imageFile, kLbmLoadPicture, nullptr), kLbmOk);
  EXPECT_EQ(imageFile.image(), nullptr);

  // The last header before the body counts.
  Bytes pixels = Pixels();
  Decoded d = Decode(Form("ILBM", {Bmhd(8, 2, 1, 0, 1), Bmhd(37, 3, 2, 0, 1),
                                   Chunk("BODY", IlbmBody(pixels, 37, 3, 2, false, true))}));
  ASSERT_EQ(d.result, kLbmOk);
  ASSERT_NE(d.bitmap, nullptr);
  EXPECT_EQ(d.bitmap->width(), 40);
  EXPECT_EQ(d.bitmap->pixelValue(36, 2), pixels[3 * 37 - 1]);

  // 16384 x 16384 with room for its packed rows: a quarter of a gigapixel.
  SetLastSystemError(0);
  Decoded huge = Decode(Form("ILBM", {Bmhd(16384, 16384, 1, 0, 1), Chunk("PADD", Bytes(16384 * 34, 0))}));
  EXPECT_EQ(huge.result, kLbmBadFile);
  EXPECT_EQ(LastSystemError(), CrtErrorCode(EFBIG));

  const struct {
    const char* name;
    Bytes file;
  } refused[] = {
      {"body before header", Form("ILBM", {Chunk("BODY", Bytes(8, 0)), Bmhd(4, 1, 1, 0, 0)})},
      {"other form type", Form("8SVX", {})},
      {"other nested form", Form("ANIM", {Form("ACBM", {})})},
      {"no width", Form("ILBM", {Bmhd(0, 5, 1, 0, 0)})},
  };
  for (const auto& c : refused) {
    SetLastSystemError(CrtErrorCode(ENOENT));
    EXPECT_EQ(Decode(c.file).result, kLbmBadFile) << c.name;
    EXPECT_EQ(LastSystemError(), CrtErrorCode(EINVAL)) << c.name;
  }
}

TEST(ByteRun1, RunsAreClippedToTheRow) {
  Bytes in = {0xFE, 7, 0x02, 1, 2, 3, 0x80, 0xFF, 4};
  std::uint8_t out[4] = {};
  std::size_t pos = 0;
  ASSERT_TRUE(UnpackByteRun1(in, pos, out, 4));  // 7 7 7 1 (2 3 dropped)
  EXPECT_EQ(out[3], 1);
  EXPECT_EQ(pos, 6u);
  ASSERT_TRUE(UnpackByteRun1(in, pos, out, 2));  // -128 is nothing
  EXPECT_EQ(out[1], 4);
  EXPECT_FALSE(UnpackByteRun1(in, pos, out, 1));
}

}  // namespace
}  // namespace mascot
