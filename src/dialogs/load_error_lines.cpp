#include "dialogs/load_error_lines.h"

namespace mascot {
namespace {

constexpr std::string_view kWhiteSpace = " \t\r\n\v\f";

std::string_view Trimmed(std::string_view text) {
  const std::size_t first = text.find_first_not_of(kWhiteSpace);
  if (first == std::string_view::npos) return {};
  const std::size_t last = text.find_last_not_of(kWhiteSpace);
  return text.substr(first, last - first + 1);
}

}  // namespace

std::vector<std::string> SplitLoadErrors(std::string_view errorText) {
  std::vector<std::string> lines;
  while (!errorText.empty()) {
    const std::size_t end = errorText.find('\n');
    const std::string_view piece = Trimmed(errorText.substr(0, end));
    if (!piece.empty()) lines.emplace_back(piece);
    if (end == std::string_view::npos) break;
    errorText.remove_prefix(end + 1);
  }
  return lines;
}

int LoadErrorsExtent(int widestLine, int clientWidth) {
  return widestLine > clientWidth ? widestLine + widestLine / 2 : 0;
}

}  // namespace mascot
