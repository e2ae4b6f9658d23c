#include "storage/paths.h"

namespace mascot {
namespace {

constexpr std::string_view kForbiddenFileNameChars = ".\"/\\[]:;|=,";

// The last backslash, else the last slash: the separator the path functions
// split at. npos when there is neither.
std::size_t LastSeparator(std::string_view path) {
  std::size_t pos = path.rfind('\\');
  return pos != std::string_view::npos ? pos : path.rfind('/');
}

// As LastSeparator, falling back to the colon of a drive prefix.
std::size_t LastSeparatorOrColon(std::string_view path) {
  std::size_t pos = LastSeparator(path);
  return pos != std::string_view::npos ? pos : path.rfind(':');
}

}  // namespace

std::string FileNamePart(std::string_view path) {
  std::size_t pos = LastSeparator(path);
  return std::string(pos == std::string_view::npos ? path : path.substr(pos + 1));
}

std::string FolderWithSeparator(std::string_view path) {
  std::size_t pos = LastSeparator(path);
  return pos == std::string_view::npos ? std::string() : std::string(path.substr(0, pos + 1));
}

std::string FolderPart(std::string_view path) {
  std::size_t pos = LastSeparatorOrColon(path);
  return std::string(pos == std::string_view::npos ? path : path.substr(0, pos));
}

std::string JoinPath(std::string_view folder, std::string_view name) {
  if (folder.empty()) return std::string(name);
  bool slashOnly = folder.find('/') != std::string_view::npos &&
                   folder.find('\\') == std::string_view::npos;
  char separator = slashOnly ? '/' : '\\';
  std::string tail = name.empty() ? std::string(1, separator) : std::string(name);

  std::string result(folder);
  if (result.back() != separator)
    result += separator;
  else if (tail.front() == separator)
    tail.erase(0, 1);
  return result + tail;
}

std::string ChangeExtension(std::string_view path, std::string_view extension) {
  // Only a short tail counts as an extension, so "notes.longext1" keeps its tail.
  constexpr std::size_t kMaxExtensionLength = 8;  // the full stop included
  std::string result(path);
  std::size_t separator = LastSeparatorOrColon(path);
  std::size_t dot = path.rfind('.');
  if (dot != std::string_view::npos &&
      (separator == std::string_view::npos || dot > separator) &&
      path.size() - dot <= kMaxExtensionLength)
    result.resize(dot);

  if (!extension.empty()) {
    bool hasDot = (!result.empty() && result.back() == '.') || extension.front() == '.';
    if (!hasDot) result += '.';
    result += extension;
  }
  return result;
}

std::string NativePath(std::string_view path) {
  std::string result(path);
  for (char& ch : result)
    if (ch == '\\') ch = '/';
  return result;
}

bool IsForbiddenFileNameChar(char ch) {
  return ch != '\0' && kForbiddenFileNameChars.find(ch) != std::string_view::npos;
}

std::string StripForbiddenFileNameChars(std::string_view name) {
  std::string result;
  result.reserve(name.size());
  for (char ch : name)
    if (!IsForbiddenFileNameChar(ch)) result += ch;
  return result;
}

}  // namespace mascot
