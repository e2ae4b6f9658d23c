#include "editing/frame_row_rules.h"

#include <charconv>
#include <limits>

namespace mascot {
namespace {

constexpr std::size_t kTypedNameLimit = 255;
constexpr std::size_t kNextTextLimit = 15;

// Both separators count, as paths made on either system reach the editor.
struct PathParts {
  std::string_view folder;  // with its last separator
  std::string_view name;
};

PathParts SplitPath(std::string_view path) {
  const std::size_t cut = path.find_last_of("\\/");
  if (cut == std::string_view::npos) return {{}, path};
  return {path.substr(0, cut + 1), path.substr(cut + 1)};
}

}  // namespace

MinMaxPair ApplyPairRule(MinMaxPair pair, PairSide changed) {
  if (pair.maximum < pair.minimum) {
    if (changed == PairSide::kMinimum) {
      pair.maximum = pair.minimum;
    } else {
      pair.minimum = pair.maximum;
    }
  }
  return pair;
}

MinMaxPair ApplyPairRule(std::string_view minimumText, std::string_view maximumText, PairSide changed) {
  return ApplyPairRule(MinMaxPair{ReadRowNumber(minimumText), ReadRowNumber(maximumText)}, changed);
}

std::uint32_t ReadRowNumber(std::string_view text) {
  std::uint64_t value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') break;
    value = std::min<std::uint64_t>(value * 10 + static_cast<unsigned>(c - '0'),
                                    std::numeric_limits<std::uint32_t>::max());
  }
  return static_cast<std::uint32_t>(value);
}

std::int32_t ReadNextFrame(std::string_view text, std::int32_t upperLimit) {
  text = text.substr(0, kNextTextLimit);
  std::int64_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || value < 0 || value > upperLimit) return 0;
  return static_cast<std::int32_t>(value);
}

std::string NextFrameText(std::int32_t position) {
  return position == 0 ? std::string(kNoJumpText) : std::to_string(position);
}

std::string ShownFileName(std::string_view path) {
  std::size_t cut = path.rfind('\\');
  if (cut == std::string_view::npos) cut = path.rfind('/');
  return std::string(cut == std::string_view::npos ? path : path.substr(cut + 1));
}

EditedFileName JoinEditedFileName(std::string_view typed, std::string_view rowPath) {
  typed = typed.substr(0, kTypedNameLimit);
  const PathParts t = SplitPath(typed), r = SplitPath(rowPath);
  if (t.name == r.name && t.folder == r.folder) return {};
  if (typed.empty()) return {FileNameChange::kCleared, {}};
  const std::string_view name = t.name.empty() ? r.name : t.name;
  const std::string_view folder = t.folder.empty() ? r.folder : t.folder;
  return {FileNameChange::kNewPath, std::string(folder) + std::string(name)};
}

}  // namespace mascot
