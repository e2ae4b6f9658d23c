#pragma once
#include <cstdint>
#include <string>
#include <string_view>

// How a frame row reads what the user typed or stepped.
namespace mascot {

inline constexpr std::uint32_t kRowNumberLimit = 32767;
inline constexpr char kNoJumpText[] = "Next";

// A minimum and maximum (delays, loop counts) that the user changed one
// side of: the other side follows so that minimum <= maximum.
struct MinMaxPair {
  std::uint32_t minimum = 0;
  std::uint32_t maximum = 0;
  bool operator==(const MinMaxPair&) const = default;
};
enum class PairSide { kMinimum, kMaximum };

// After an up-down step: the minimum raises the maximum, the maximum
// lowers the minimum.
MinMaxPair ApplyPairRule(MinMaxPair pair, PairSide changed);
// At a focus loss, from the two edits' texts.
MinMaxPair ApplyPairRule(std::string_view minimumText, std::string_view maximumText, PairSide changed);

// An edit's number: its leading decimal digits; none reads as 0.
std::uint32_t ReadRowNumber(std::string_view text);

// The next-frame edit: 1..upperLimit, or 0 (no jump) for anything else,
// the word "Next" included.
std::int32_t ReadNextFrame(std::string_view text, std::int32_t upperLimit);
std::string NextFrameText(std::int32_t position);

// The name the row shows: after the last "\", or the last "/" without one.
std::string ShownFileName(std::string_view path);

// The file name edit lost the focus with `typed`; the row's path was
// `rowPath`. A name without a folder keeps the row's folder.
enum class FileNameChange { kNone, kCleared, kNewPath };
struct EditedFileName {
  FileNameChange change = FileNameChange::kNone;
  std::string path;  // for kNewPath, to be examined before it is taken
};
EditedFileName JoinEditedFileName(std::string_view typed, std::string_view rowPath);

}  // namespace mascot
