#pragma once
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "imaging/image_file.h"

namespace mascot {

inline constexpr std::size_t kPcxHeaderSize = 128;

// The fields of the 128-byte PCX header that decoding uses.
struct PcxHeader {
  std::uint8_t manufacturer = 0;
  std::uint8_t version = 0;
  std::uint8_t encoding = 0;
  std::uint8_t bitsPerPlane = 0;
  std::uint16_t xmin = 0;
  std::uint16_t ymin = 0;
  std::uint16_t xmax = 0;
  std::uint16_t ymax = 0;
  std::uint8_t palette[48] = {};
  std::uint8_t planes = 0;
  std::uint16_t bytesPerLine = 0;

  int width() const { return xmax - xmin + 1; }
  int height() const { return ymax - ymin + 1; }
  // 24 for three 8-bit planes, the planes count for 1-bit planes, else the
  // bits per plane.
  int bitsPerPixel() const;
};

PcxHeader DecodePcxHeader(const std::uint8_t* bytes);

// Decodes a PCX file into the image file: 8-bit images for 1 to 8 bits per
// pixel (with 2^bpp palette colours), 24-bit for true colour. False with
// the last system error set.
bool ReadPcx(std::string_view fileName, ImageFile& imageFile);
bool ReadPcxBytes(std::span<const std::uint8_t> file, ImageFile& imageFile);

// Run-length decodes one line of exactly `count` bytes; false when the data
// ends first or a run passes the end of the line.
bool DecodePcxLine(std::span<const std::uint8_t> data, std::size_t& position, std::uint8_t* out,
                   std::size_t count);

}  // namespace mascot
