#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "imaging/image_file.h"

namespace mascot {

// Results of ReadLbm.
inline constexpr int kLbmOk = 0;
inline constexpr int kLbmShortRead = -3;  // last system error 0xE00009C4
inline constexpr int kLbmBadFile = -6;    // not openable, wrong form, or not decodable

// Mode 0 decodes the picture into the image file; mode 3 only copies the 20
// BMHD bytes to headerOut.
inline constexpr int kLbmLoadPicture = 0;
inline constexpr int kLbmHeaderOnly = 3;
inline constexpr std::size_t kBmhdSize = 20;

// The BMHD chunk of an IFF picture.
struct LbmBitmapHeader {
  std::uint16_t width = 0;
  std::uint16_t height = 0;
  std::int16_t x = 0;
  std::int16_t y = 0;
  std::uint8_t planes = 0;
  std::uint8_t masking = 0;
  std::uint8_t compression = 0;
  std::uint8_t pad = 0;
  std::uint16_t transparentColour = 0;
  std::uint8_t xAspect = 0;
  std::uint8_t yAspect = 0;
  std::int16_t pageWidth = 0;
  std::int16_t pageHeight = 0;
};

LbmBitmapHeader DecodeBmhd(const std::uint8_t* bytes);

// Reads an IFF ILBM, PBM or ANIM (its first picture) file. On success in
// mode 0 the image file holds the picture (8-bit, grey ramp), its palette
// the CMAP colours and colour ranges, its depth the planes count.
int ReadLbm(std::string_view fileName, ImageFile& imageFile, int mode, std::uint8_t* headerOut);
// The same on the bytes of a file; `sawHeader`, when given, tells whether a
// BMHD chunk was found.
int ReadLbmBytes(std::span<const std::uint8_t> file, ImageFile& imageFile, int mode, std::uint8_t* headerOut,
                 bool* sawHeader = nullptr);

// Unpacks ByteRun1 data from `in` into exactly `count` bytes of `out`,
// dropping what a run produces beyond them; false when the data runs out.
bool UnpackByteRun1(std::span<const std::uint8_t> in, std::size_t& position, std::uint8_t* out,
                    std::size_t count);

}  // namespace mascot
