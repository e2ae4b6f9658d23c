#pragma once
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "model/mascot_document.h"

// The mascot record of a published mascot: a 96-byte header of 24
// little-endian words, the five strings in UTF-16LE slots, the frame table.
namespace mascot {

inline constexpr std::uint32_t kMascotRecordHeaderSize = 96;
inline constexpr std::uint32_t kFrameEntrySize = 24;

enum MascotRecordFlags : std::uint32_t {
  kFlagClickSequenceDefined = 2,
  kFlagOffsetIsPercent = 8,
  kFlagOffsetRelativeToRightEdge = 16,
};

struct MascotRecordHeader {
  std::uint32_t version = 0;
  std::uint32_t imageResourceId = 0;  // 0: none
  std::uint32_t frameCount = 0;
  std::uint32_t flags = 0;
  std::int32_t clickStartIndex = -1;
  std::int32_t clickEndIndex = -1;
  std::int32_t xOffset = 0;
  std::int32_t yOffset = 0;
  std::uint32_t soundResourceId = 0;  // 0: no sound
  std::int32_t balloonFontSize = 0;
  std::uint32_t balloonBackColor = 0;
  std::uint32_t balloonTextColor = 0;
  std::uint32_t reserved[5] = {};
  std::uint32_t nameOffset = 0;
  std::uint32_t balloonTextOffset = 0;
  std::uint32_t balloonFontOffset = 0;
  std::uint32_t frameTableOffset = 0;
  std::uint32_t creatorInfoOffset = 0;  // 0: absent
  std::uint32_t mascotInfoOffset = 0;   // 0: absent
  std::uint32_t reserved2 = 0;
};
static_assert(sizeof(MascotRecordHeader) == kMascotRecordHeaderSize);

struct FrameTableEntry {
  std::int32_t imageIndex = -1;
  std::uint32_t minFrameDelay = 0;
  std::uint32_t maxFrameDelay = 0;
  std::int32_t jumpFrame = -1;
  std::uint32_t minLoopCount = 0;
  std::uint32_t maxLoopCount = 0;
};
static_assert(sizeof(FrameTableEntry) == kFrameEntrySize);

void EncodeRecordHeader(const MascotRecordHeader& header, std::uint8_t* out);
MascotRecordHeader DecodeRecordHeader(const std::uint8_t* bytes);

// The record of a document; none (with the last system error set) when it
// would not fit the container's 32-bit sizes.
std::optional<std::vector<std::uint8_t>> BuildMascotRecord(const MascotDocument& document,
                                                           std::uint32_t version,
                                                           std::uint32_t imageResourceId,
                                                           std::uint32_t soundResourceId);

// Fills the document's record fields and frames from a record. Every offset
// and count is checked against the record's size; false with the last system
// error set when one points outside it.
bool ReadMascotRecord(std::span<const std::uint8_t> record, MascotDocument& document,
                      MascotRecordHeader& header);

}  // namespace mascot
