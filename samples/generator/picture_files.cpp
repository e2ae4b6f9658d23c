#include "picture_files.h"

#include <fstream>

#include "imaging/bitmap.h"
#include "imaging/bmp_writer.h"
// The encoders the image reader tests use serve here as they are.
#include "imaging/image_writers.h"

namespace samples {
namespace {

using mascot::testing::Bytes;

Bytes Triples(const Palette& palette, std::size_t count) {
  Bytes out(count * 3, 0);
  for (std::size_t i = 0; i < palette.size() && i < count; ++i) {
    out[3 * i] = palette[i].red;
    out[3 * i + 1] = palette[i].green;
    out[3 * i + 2] = palette[i].blue;
  }
  return out;
}

Bytes Row(const Canvas& canvas, int y, std::size_t length) {
  Bytes row(canvas.pixels().begin() + y * canvas.width(), canvas.pixels().begin() + (y + 1) * canvas.width());
  row.resize(length, 0);
  return row;
}

bool Save(const Bytes& bytes, const std::string& path) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  return bool(out.flush());
}

bool WriteBmp4(const Canvas& canvas, const Palette& palette, const std::string& path) {
  auto bitmap = mascot::Bitmap::Create(canvas.width(), canvas.height(), 4);
  for (int y = 0; y < canvas.height(); ++y)
    for (int x = 0; x < canvas.width(); ++x)
      bitmap->row(y)[x / 2] |= std::uint8_t(canvas.at(x, y) << (x % 2 ? 0 : 4));
  for (std::size_t i = 0; i < 16; ++i) {
    Colour c = i < palette.size() ? palette[i] : Colour{0, 0, 0};
    bitmap->colourTable().push_back({c.blue, c.green, c.red, 0});
  }
  return mascot::WriteBmpFile(*bitmap, path);
}

Bytes EncodePcx8(const Canvas& canvas, const Palette& palette) {
  mascot::testing::PcxFields fields;
  fields.width = unsigned(canvas.width());
  fields.height = unsigned(canvas.height());
  fields.bytesPerLine = unsigned(canvas.width() + 1) & ~1u;  // even, as PCX wants
  fields.palette = Triples(palette, 16);
  std::vector<Bytes> lines;
  for (int y = 0; y < canvas.height(); ++y) lines.push_back(Row(canvas, y, fields.bytesPerLine));
  return mascot::testing::MakePcx(fields, lines, Triples(palette, 256));
}

Bytes EncodeIff(const Canvas& canvas, const Palette& palette, bool planar) {
  using namespace mascot::testing;
  const unsigned w = unsigned(canvas.width()), h = unsigned(canvas.height());
  const unsigned planes = planar ? 4 : 8;
  Bytes body;
  if (planar) {
    body = IlbmBody(canvas.pixels(), w, h, planes, false, true);
  } else {
    for (int y = 0; y < canvas.height(); ++y) Append(body, ByteRun1(Row(canvas, y, (w + 1) & ~1u)));
  }
  return Form(planar ? "ILBM" : "PBM ", {Bmhd(w, h, planes, 0, 1), Chunk("CMAP", Triples(palette, 1u << planes)),
                                         Chunk("BODY", body)});
}

}  // namespace

const char* ExtensionOf(PictureFormat format) {
  switch (format) {
    case PictureFormat::Bmp4: return ".bmp";
    case PictureFormat::Pcx8: return ".pcx";
    default: return ".lbm";
  }
}

bool WritePicture(const Canvas& canvas, const Palette& palette, PictureFormat format, const std::string& path) {
  switch (format) {
    case PictureFormat::Bmp4: return WriteBmp4(canvas, palette, path);
    case PictureFormat::Pcx8: return Save(EncodePcx8(canvas, palette), path);
    case PictureFormat::Ilbm: return Save(EncodeIff(canvas, palette, true), path);
    case PictureFormat::Pbm: return Save(EncodeIff(canvas, palette, false), path);
  }
  return false;
}

}  // namespace samples
