#include "imaging/bmp_writer.h"

#include <cerrno>
#include <cstdio>
#include <string>

#include "errors/system_error.h"
#include "storage/paths.h"
#include "storage/replacement_file.h"

namespace mascot {
namespace {

constexpr std::uint32_t kFileHeaderSize = 14;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint32_t kRgb = 0;
constexpr std::uint32_t kBitfields = 3;

void PutLe16(std::vector<std::uint8_t>& out, std::uint32_t value) {
  out.push_back(static_cast<std::uint8_t>(value));
  out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void PutLe32(std::vector<std::uint8_t>& out, std::uint32_t value) {
  PutLe16(out, value & 0xFFFF);
  PutLe16(out, value >> 16);
}

// Masks other than the ones a plain BI_RGB file implies must be stored.
bool NeedsMasks(const Bitmap& bitmap) {
  if (bitmap.bitsPerPixel() == 16)
    return bitmap.redMask() != 0x7C00 || bitmap.greenMask() != 0x03E0 || bitmap.blueMask() != 0x001F;
  if (bitmap.bitsPerPixel() == 32)
    return bitmap.redMask() != 0xFF0000 || bitmap.greenMask() != 0x00FF00 || bitmap.blueMask() != 0x0000FF;
  return false;
}

bool WriteAll(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) {
    SetLastErrorFromErrno(errno);
    return false;
  }
  bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  int writeErrno = errno;
  bool closed = std::fclose(file) == 0;
  if (!written || !closed) {
    SetLastErrorFromErrno(written ? errno : writeErrno);
    return false;
  }
  return true;
}

}  // namespace

std::vector<std::uint8_t> EncodeBmp(const Bitmap& bitmap) {
  // Tables of deeper pictures are not part of the picture, so they are left out.
  const std::size_t tableSize = bitmap.bitsPerPixel() <= 8 ? bitmap.colourTable().size() : 0;
  const bool masks = NeedsMasks(bitmap);
  const std::uint32_t offBits =
      kFileHeaderSize + kInfoHeaderSize + (masks ? 12u : 0u) + static_cast<std::uint32_t>(tableSize * 4);
  const std::uint32_t imageSize = bitmap.stride() * static_cast<std::uint32_t>(bitmap.height());

  std::vector<std::uint8_t> out;
  out.reserve(offBits + imageSize);
  out.push_back('B');
  out.push_back('M');
  PutLe32(out, offBits + imageSize);
  PutLe32(out, 0);  // reserved words
  PutLe32(out, offBits);

  PutLe32(out, kInfoHeaderSize);
  PutLe32(out, static_cast<std::uint32_t>(bitmap.width()));
  PutLe32(out, static_cast<std::uint32_t>(bitmap.height()));  // positive: bottom row first
  PutLe16(out, 1);
  PutLe16(out, static_cast<std::uint32_t>(bitmap.bitsPerPixel()));
  PutLe32(out, masks ? kBitfields : kRgb);
  PutLe32(out, imageSize);
  PutLe32(out, 2835);  // 72 dots per inch
  PutLe32(out, 2835);
  PutLe32(out, static_cast<std::uint32_t>(tableSize));
  PutLe32(out, 0);
  if (masks) {
    PutLe32(out, bitmap.redMask());
    PutLe32(out, bitmap.greenMask());
    PutLe32(out, bitmap.blueMask());
  }
  for (std::size_t i = 0; i < tableSize; ++i) {
    const RgbQuad& c = bitmap.colourTable()[i];
    out.insert(out.end(), {c.blue, c.green, c.red, 0});
  }
  for (int y = bitmap.height() - 1; y >= 0; --y) {
    const std::uint8_t* row = bitmap.row(y);
    out.insert(out.end(), row, row + bitmap.stride());
  }
  return out;
}

bool WriteBmpFile(const Bitmap& bitmap, std::string_view path) {
  ReplacementFile file(NativePath(path));
  if (!file.isReady()) return false;
  return WriteAll(file.path(), EncodeBmp(bitmap)) && file.commit();
}

}  // namespace mascot
