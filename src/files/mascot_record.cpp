#include "files/mascot_record.h"

#include <cerrno>
#include <limits>
#include <string>

#include "errors/system_error.h"
#include "files/le_bytes.h"
#include "files/utf16_text.h"
#include "imaging/byte_order.h"

namespace mascot {
namespace {

constexpr std::uint64_t kMaxRecordSize = std::numeric_limits<std::uint32_t>::max();

// The strings in record order; their offsets go to the header fields below.
struct RecordStrings {
  const std::string* texts[5];
};

RecordStrings StringsOf(const MascotDocument& d) {
  return {{&d.name, &d.creatorInfo, &d.mascotInfo, &d.balloonText, &d.balloonFont}};
}

std::uint32_t Flags(const MascotDocument& d) {
  std::uint32_t flags = 0;
  if (d.clickSequenceDefined) flags |= kFlagClickSequenceDefined;
  if (d.offsetIsPercent) flags |= kFlagOffsetIsPercent;
  if (d.offsetRelativeToRightEdge) flags |= kFlagOffsetRelativeToRightEdge;
  return flags;
}

// A slot holds (UTF-8 bytes + 1) units; the UTF-16 form never has more units
// than the UTF-8 form has bytes, so the zero unit always fits.
void StoreString(std::uint8_t* slot, const std::string& text) {
  const std::u16string units = Utf8ToUtf16(text);
  for (std::size_t i = 0; i < units.size(); ++i) StoreLe16(slot + 2 * i, units[i]);
}

void StoreFrame(std::uint8_t* out, const FrameRecord& frame) {
  StoreLe32(out + 0, static_cast<std::uint32_t>(frame.imageIndex));
  StoreLe32(out + 4, frame.minFrameDelay);
  StoreLe32(out + 8, frame.maxFrameDelay);
  StoreLe32(out + 12, static_cast<std::uint32_t>(frame.jumpFrame));
  StoreLe32(out + 16, frame.minLoopCount);
  StoreLe32(out + 20, frame.maxLoopCount);
}

FrameRecord DecodeFrame(const std::uint8_t* p) {
  FrameRecord frame;
  frame.imageIndex = ReadLeI32(p + 0);
  frame.minFrameDelay = ReadLe32(p + 4);
  frame.maxFrameDelay = ReadLe32(p + 8);
  frame.jumpFrame = ReadLeI32(p + 12);
  frame.minLoopCount = ReadLe32(p + 16);
  frame.maxLoopCount = ReadLe32(p + 20);
  return frame;
}

bool Broken() {
  SetLastSystemError(kErrUnexpectedEnd);
  return false;
}

// The string at offset, up to its zero unit or the end of the record.
bool ReadString(std::span<const std::uint8_t> record, std::uint32_t offset, std::string& out) {
  if (offset >= record.size()) return Broken();
  std::u16string units;
  for (std::size_t at = offset; at + 2 <= record.size(); at += 2) {
    const char16_t unit = ReadLe16(record.data() + at);
    if (unit == 0) break;
    units += unit;
  }
  out = Utf16ToUtf8(units);
  return true;
}

}  // namespace

void EncodeRecordHeader(const MascotRecordHeader& h, std::uint8_t* out) {
  const std::uint32_t words[24] = {
      h.version, h.imageResourceId, h.frameCount, h.flags,
      static_cast<std::uint32_t>(h.clickStartIndex), static_cast<std::uint32_t>(h.clickEndIndex),
      static_cast<std::uint32_t>(h.xOffset), static_cast<std::uint32_t>(h.yOffset),
      h.soundResourceId, static_cast<std::uint32_t>(h.balloonFontSize),
      h.balloonBackColor, h.balloonTextColor,
      h.reserved[0], h.reserved[1], h.reserved[2], h.reserved[3], h.reserved[4],
      h.nameOffset, h.balloonTextOffset, h.balloonFontOffset, h.frameTableOffset,
      h.creatorInfoOffset, h.mascotInfoOffset, h.reserved2};
  for (int i = 0; i < 24; ++i) StoreLe32(out + 4 * i, words[i]);
}

MascotRecordHeader DecodeRecordHeader(const std::uint8_t* p) {
  auto word = [p](int i) { return ReadLe32(p + 4 * i); };
  auto signedWord = [p](int i) { return ReadLeI32(p + 4 * i); };
  MascotRecordHeader h;
  h.version = word(0);
  h.imageResourceId = word(1);
  h.frameCount = word(2);
  h.flags = word(3);
  h.clickStartIndex = signedWord(4);
  h.clickEndIndex = signedWord(5);
  h.xOffset = signedWord(6);
  h.yOffset = signedWord(7);
  h.soundResourceId = word(8);
  h.balloonFontSize = signedWord(9);
  h.balloonBackColor = word(10);
  h.balloonTextColor = word(11);
  for (int i = 0; i < 5; ++i) h.reserved[i] = word(12 + i);
  h.nameOffset = word(17);
  h.balloonTextOffset = word(18);
  h.balloonFontOffset = word(19);
  h.frameTableOffset = word(20);
  h.creatorInfoOffset = word(21);
  h.mascotInfoOffset = word(22);
  h.reserved2 = word(23);
  return h;
}

std::optional<std::vector<std::uint8_t>> BuildMascotRecord(const MascotDocument& document,
                                                           std::uint32_t version,
                                                           std::uint32_t imageResourceId,
                                                           std::uint32_t soundResourceId) {
  const RecordStrings strings = StringsOf(document);
  std::uint64_t size = kMascotRecordHeaderSize;
  for (const std::string* text : strings.texts) size += 2 * (std::uint64_t{text->size()} + 1);
  const std::uint64_t frameTableOffset = size;
  size += std::uint64_t{kFrameEntrySize} * document.frames.size();
  if (size > kMaxRecordSize) {
    SetLastErrorFromErrno(EFBIG);
    return std::nullopt;
  }

  std::vector<std::uint8_t> record(static_cast<std::size_t>(size), 0);
  std::uint32_t offsets[5];
  std::uint32_t at = kMascotRecordHeaderSize;
  for (int i = 0; i < 5; ++i) {
    offsets[i] = at;
    StoreString(record.data() + at, *strings.texts[i]);
    at += 2 * (static_cast<std::uint32_t>(strings.texts[i]->size()) + 1);
  }

  MascotRecordHeader header;
  header.version = version;
  header.imageResourceId = imageResourceId;
  header.frameCount = static_cast<std::uint32_t>(document.frames.size());
  header.flags = Flags(document);
  header.clickStartIndex = document.clickStartIndex;
  header.clickEndIndex = document.clickEndIndex;
  header.xOffset = document.xOffset;
  header.yOffset = document.yOffset;
  header.soundResourceId = soundResourceId;
  header.balloonFontSize = document.balloonFontSize;
  header.balloonBackColor = document.balloonBackColor;
  header.balloonTextColor = document.balloonTextColor;
  header.nameOffset = offsets[0];
  header.creatorInfoOffset = offsets[1];
  header.mascotInfoOffset = offsets[2];
  header.balloonTextOffset = offsets[3];
  header.balloonFontOffset = offsets[4];
  header.frameTableOffset = static_cast<std::uint32_t>(frameTableOffset);
  EncodeRecordHeader(header, record.data());

  std::uint8_t* entry = record.data() + frameTableOffset;
  for (const FrameRecord& frame : document.frames) {
    StoreFrame(entry, frame);
    entry += kFrameEntrySize;
  }
  return record;
}

bool ReadMascotRecord(std::span<const std::uint8_t> record, MascotDocument& document,
                      MascotRecordHeader& header) {
  if (record.size() < kMascotRecordHeaderSize) return Broken();
  header = DecodeRecordHeader(record.data());
  if (!RangeInside(header.frameTableOffset, std::uint64_t{header.frameCount} * kFrameEntrySize, record.size()))
    return Broken();

  document.formatVersion = header.version;
  document.clickStartIndex = header.clickStartIndex;
  document.clickEndIndex = header.clickEndIndex;
  document.xOffset = header.xOffset;
  document.yOffset = header.yOffset;
  document.balloonFontSize = header.balloonFontSize;
  document.balloonBackColor = header.balloonBackColor;
  document.balloonTextColor = header.balloonTextColor;
  document.clickSequenceDefined = (header.flags & kFlagClickSequenceDefined) ? 1 : 0;
  document.offsetIsPercent = (header.flags & kFlagOffsetIsPercent) ? 1 : 0;
  document.offsetRelativeToRightEdge = (header.flags & kFlagOffsetRelativeToRightEdge) ? 1 : 0;

  if (!ReadString(record, header.nameOffset, document.name) ||
      !ReadString(record, header.balloonTextOffset, document.balloonText) ||
      !ReadString(record, header.balloonFontOffset, document.balloonFont))
    return false;
  if (header.creatorInfoOffset != 0 && !ReadString(record, header.creatorInfoOffset, document.creatorInfo))
    return false;
  if (header.mascotInfoOffset != 0 && !ReadString(record, header.mascotInfoOffset, document.mascotInfo))
    return false;

  document.frames.clear();
  document.frames.reserve(header.frameCount);
  const std::uint8_t* entry = record.data() + header.frameTableOffset;
  for (std::uint32_t i = 0; i < header.frameCount; ++i, entry += kFrameEntrySize)
    document.frames.push_back(DecodeFrame(entry));
  return true;
}

}  // namespace mascot
