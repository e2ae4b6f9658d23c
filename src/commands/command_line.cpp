#include "commands/command_line.h"

#include "storage/config_syntax.h"
#include "storage/file_info.h"

namespace mascot {
namespace {

bool IsBlank(char ch) { return ch == ' ' || ch == '\t'; }

// Quote state: 0 outside quotes; 1 inside an argument that opened with a
// quote; 2 inside quotes opened later in the argument.
int ToggledQuoteState(int state) { return state > 0 ? 0 : 2; }

}  // namespace

std::vector<std::string> SplitCommandLine(std::string_view text) {
  std::vector<std::string> arguments;
  std::size_t pos = 0;
  const std::size_t end = text.size();
  while (true) {
    while (pos < end && IsBlank(text[pos])) ++pos;
    if (pos >= end) break;

    int quoteState = 0;
    if (text[pos] == '"') {
      quoteState = 1;
      ++pos;
    }
    std::string argument;
    bool endedByText = true;
    while (pos < end) {
      const char ch = text[pos];
      if (ch == '"') {
        quoteState = ToggledQuoteState(quoteState);
        ++pos;
      } else if (IsBlank(ch) && quoteState == 0) {
        endedByText = false;
        break;
      } else if (ch == '\\' && pos + 1 < end && text[pos + 1] == '"') {
        // The backslash goes; a doubled backslash leaves the quote a quote.
        const bool escapedBackslash = pos > 0 && text[pos - 1] == '\\';
        pos += 2;
        if (escapedBackslash) {
          quoteState = ToggledQuoteState(quoteState);
        } else {
          argument.push_back('"');
        }
      } else {
        argument.push_back(ch);
        ++pos;
      }
    }
    arguments.push_back(std::move(argument));
    if (endedByText) break;
    ++pos;  // past the blank that ended the argument
  }
  return arguments;
}

std::string ForwardedArgument(std::string_view argument) {
  if (argument.empty() || (argument.size() == 2 && CompareNoCase(argument, "-e") == 0)) return std::string(argument);
  std::string full = FullPath(argument);
  return full.empty() ? std::string(argument) : full;
}

}  // namespace mascot
