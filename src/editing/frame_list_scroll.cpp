#include "editing/frame_list_scroll.h"

#include <algorithm>

namespace mascot {

std::int32_t VisibleSlots(std::int32_t controlHeight, std::int32_t rowHeight) {
  if (rowHeight <= 0) return 1;
  return std::max(1, controlHeight / rowHeight);
}

ScrollSettings ScrollSettingsFor(std::int32_t rows, std::int32_t slots) {
  if (rows <= slots) return {};
  return {true, rows - 1, slots};
}

std::int32_t FirstVisibleRow(std::int32_t position, const ScrollSettings& scroll) {
  if (!scroll.enabled) return 0;
  if (position >= scroll.maximum) position = scroll.maximum - scroll.page + 1;
  return std::clamp(position, 0, scroll.lastPosition());
}

}  // namespace mascot
