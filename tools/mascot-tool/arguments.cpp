#include "arguments.h"

#include <cstdio>
#include <iostream>

namespace mascot::tool {

std::optional<std::string> Arguments::option(const std::string& name) const {
  auto found = options.find(name);
  if (found == options.end()) return std::nullopt;
  return found->second;
}

std::optional<Arguments> ParseArguments(const CommandInfo& command, const std::vector<std::string>& words,
                                        std::string& error) {
  Arguments args;
  bool onlyPositionals = false;
  for (std::size_t i = 0; i < words.size(); ++i) {
    const std::string& word = words[i];
    if (onlyPositionals || word.size() < 2 || word[0] != '-') {
      args.positionals.push_back(word);
      continue;
    }
    if (word == "--") {
      onlyPositionals = true;
    } else if (word == "--help" || word == "-h") {
      args.help = true;
    } else if (command.flags.count(word)) {
      args.flags.insert(word);
    } else if (std::size_t eq = word.find('='); eq != std::string::npos && command.options.count(word.substr(0, eq))) {
      args.options[word.substr(0, eq)] = word.substr(eq + 1);
    } else if (command.options.count(word)) {
      if (i + 1 >= words.size()) {
        error = word + " needs a value";
        return std::nullopt;
      }
      args.options[word] = words[++i];
    } else {
      error = "unknown option " + word;
      return std::nullopt;
    }
  }
  if (args.help) return args;
  if (args.positionals.size() < command.minPositionals) {
    error = "missing arguments";
    return std::nullopt;
  }
  if (command.maxPositionals != 0 && args.positionals.size() > command.maxPositionals) {
    error = "too many arguments";
    return std::nullopt;
  }
  return args;
}

void PrintCommandHelp(const CommandInfo& command) {
  std::cout << "Usage: mascot-tool " << command.name << ' ' << command.synopsis << "\n\n"
            << command.summary << "\n\n"
            << command.details;
}

int UsageError(const CommandInfo& command, std::string_view error) {
  std::cerr << "mascot-tool " << command.name << ": " << error << "\n"
            << "Usage: mascot-tool " << command.name << ' ' << command.synopsis << "\n"
            << "Try 'mascot-tool " << command.name << " --help'.\n";
  return kExitUsage;
}

std::string TerminalText(std::string_view text) {
  std::string out;
  for (char c : text)
    if (c != '\r') out += c;
  while (!out.empty() && out.back() == '\n') out.pop_back();
  return out;
}

void PrintError(std::string_view text) { std::cerr << TerminalText(text) << '\n'; }

}  // namespace mascot::tool
