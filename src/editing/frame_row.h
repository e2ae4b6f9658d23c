#pragma once
#include <cstdint>
#include <string>

#include "model/mascot_document.h"

// One row of the editor's frame list: the list's own copy of a frame, kept
// apart from the document until the editor asks for the frames back.
namespace mascot {

// A 0x00BBGGRR colour, as Rgb() makes it.
using RowColour = std::uint32_t;

// Not a colour: the row is painted in the system's button-face colour,
// which only the toolkit knows.
inline constexpr RowColour kButtonFaceColour = 0xFF000000;

struct FrameRow {
  std::int32_t index = 0;  // the row's position, kept equal to it
  RowColour colour = kButtonFaceColour;
  std::string path;        // the image as typed or browsed; the row shows its name part
  FrameRecord frame;
  bool selected = false;
};

// What a row's number fields hold when they are read back into the row.
struct RowFieldValues {
  std::uint32_t minFrameDelay = 0;
  std::uint32_t maxFrameDelay = 0;
  std::int32_t nextPosition = 0;  // the next-frame spin: jump target + 1, 0 for none
  std::uint32_t minLoopCount = 0;
  std::uint32_t maxLoopCount = 0;
};

}  // namespace mascot
