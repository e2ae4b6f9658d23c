// mascot-tool: the command-line companion of the mascot program, for authors
// and scripts.
#include <exception>
#include <iostream>
#include <new>
#include <string>
#include <vector>

#include "commands.h"

namespace mascot::tool {
namespace {

const Command kCommands[] = {
    {kPublishInfo, RunPublish},     {kInfoInfo, RunInfo},           {kVerifyInfo, RunVerify},
    {kExportInfo, RunExport},       {kImportInfo, RunImport},       {kImageInfoInfo, RunImageInfo},
    {kConvertImageInfo, RunConvertImage},
};

void PrintProgramHelp(std::ostream& out) {
  out << "Usage: mascot-tool COMMAND [ARGUMENTS...]\n\nCommands:\n";
  for (const Command& command : kCommands) {
    std::string name = command.info.name;
    name.resize(16, ' ');
    out << "  " << name << command.info.summary << '\n';
  }
  out << "\nRun 'mascot-tool COMMAND --help' for the arguments of a command.\n"
         "Exit status: 0 on success, 1 on failure, 2 on a usage error.\n";
}

int Run(const std::vector<std::string>& words) {
  if (words.empty()) {
    PrintProgramHelp(std::cerr);
    return kExitUsage;
  }
  if (words[0] == "--help" || words[0] == "-h" || words[0] == "help") {
    PrintProgramHelp(std::cout);
    return kExitOk;
  }
  for (const Command& command : kCommands) {
    if (words[0] != command.info.name) continue;
    std::string error;
    auto args = ParseArguments(command.info, std::vector<std::string>(words.begin() + 1, words.end()), error);
    if (!args) return UsageError(command.info, error);
    if (args->help) {
      PrintCommandHelp(command.info);
      return kExitOk;
    }
    return command.run(*args);
  }
  std::cerr << "mascot-tool: unknown command '" << words[0] << "'\n";
  PrintProgramHelp(std::cerr);
  return kExitUsage;
}

}  // namespace
}  // namespace mascot::tool

int main(int argc, char** argv) {
  try {
    return mascot::tool::Run(std::vector<std::string>(argv + 1, argv + argc));
  } catch (const std::bad_alloc&) {
    std::cerr << "mascot-tool: out of memory\n";
  } catch (const std::exception& e) {
    std::cerr << "mascot-tool: " << e.what() << '\n';
  }
  return mascot::tool::kExitFailed;
}
