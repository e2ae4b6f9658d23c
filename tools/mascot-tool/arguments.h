#pragma once
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace mascot::tool {

// What one command accepts, and the help text shown for --help.
struct CommandInfo {
  const char* name;
  const char* synopsis;  // after "mascot-tool <name> "
  const char* summary;   // one line for the command list
  const char* details;   // the rest of the --help text
  std::set<std::string> flags;    // "--json"
  std::set<std::string> options;  // "--to" (takes a value)
  std::size_t minPositionals = 0;
  std::size_t maxPositionals = 0;  // 0: no limit
};

struct Arguments {
  std::vector<std::string> positionals;
  std::set<std::string> flags;
  std::map<std::string, std::string> options;
  bool help = false;

  bool has(const std::string& flag) const { return flags.count(flag) != 0; }
  std::optional<std::string> option(const std::string& name) const;
};

// Splits the words after the command name; a word after "--" is always a
// positional. On a usage error the text says what is wrong.
std::optional<Arguments> ParseArguments(const CommandInfo& command, const std::vector<std::string>& words,
                                        std::string& error);

void PrintCommandHelp(const CommandInfo& command);
// Prints "mascot-tool <name>: <error>" and the synopsis on standard error;
// returns the exit code for usage errors.
int UsageError(const CommandInfo& command, std::string_view error);

// Exit codes of every command.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitUsage = 2;

// The program's texts end lines with CR LF; a terminal wants LF, and no
// trailing line break.
std::string TerminalText(std::string_view text);
// A program error text on standard error.
void PrintError(std::string_view text);

}  // namespace mascot::tool
