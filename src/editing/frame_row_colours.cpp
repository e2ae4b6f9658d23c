#include "editing/frame_row_colours.h"

namespace mascot {

void ColourRows(std::vector<FrameRow>& rows, std::int32_t clickFirst, std::int32_t clickLast) {
  // Compared as unsigned numbers, so a range of none (-1) holds no row.
  const auto first = static_cast<std::uint32_t>(clickFirst);
  const auto last = static_cast<std::uint32_t>(clickLast);
  std::size_t loopBlock = 0, clickBlock = 0;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    FrameRow& row = rows[i];
    const bool jumps = row.frame.jumpFrame != -1;
    const auto position = static_cast<std::uint32_t>(i);
    if (first <= position && position <= last) {
      row.colour = kClickBlockColours[clickBlock % kClickBlockColours.size()];
      if (jumps) ++clickBlock;
    } else {
      row.colour = kLoopBlockColours[loopBlock % kLoopBlockColours.size()];
      if (jumps) ++loopBlock;
    }
  }
}

}  // namespace mascot
