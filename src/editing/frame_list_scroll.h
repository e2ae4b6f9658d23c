#pragma once
#include <cstdint>

// The arithmetic of the frame list's window over its rows: a fixed number
// of row windows (slots) shows the rows from the first visible one on.
namespace mascot {

// How many rows fit; never less than one, so a tiny list still shows a row.
std::int32_t VisibleSlots(std::int32_t controlHeight, std::int32_t rowHeight);

// The scroll bar: positions 0..maximum with a page of the slots, when
// there are more rows than slots; disabled otherwise.
struct ScrollSettings {
  bool enabled = false;
  std::int32_t maximum = 0;
  std::int32_t page = 0;
  // The last position a thumb can reach: the last page shows the last rows.
  std::int32_t lastPosition() const { return enabled ? maximum - page + 1 : 0; }
};
ScrollSettings ScrollSettingsFor(std::int32_t rows, std::int32_t slots);

// The first visible row for a scroll position: one at or past the end is
// pulled back so that the last page is full.
std::int32_t FirstVisibleRow(std::int32_t position, const ScrollSettings& scroll);

// The position that shows the last row at the bottom.
inline std::int32_t BottomPosition(const ScrollSettings& scroll) {
  return FirstVisibleRow(scroll.maximum, scroll);
}

}  // namespace mascot
