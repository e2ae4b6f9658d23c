#include <filesystem>
#include <iostream>
#include <system_error>

#include "commands.h"
#include "errors/error_text.h"
#include "errors/system_error.h"
#include "import/pylx_import.h"

namespace mascot::tool {

const CommandInfo kImportInfo = {
    "import",
    "FILE.pylx... [--to DIR] [--overwrite]",
    "Import PylX mascots and publish them into a mascots folder.",
    "Each resource file becomes DIR/<its name>.mascot; its XPM pictures are looked\n"
    "for beside it and in the folder above. DIR is the Mascots folder beside this\n"
    "program unless --to names another (it is created when missing).\n\n"
    "  --to DIR       the folder to publish into\n"
    "  --overwrite    replace existing mascots; without it a taken name gets a\n"
    "                 number (Name1.mascot, Name2.mascot, ...)\n",
    {"--overwrite"},
    {"--to"},
    1,
    0,
};

int RunImport(const Arguments& args) {
  std::string folder = args.option("--to").value_or("");
  if (!folder.empty()) {
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error) {
      SetLastErrorFromErrno(error.value());
      PrintError(ErrorText("Saving", folder, 0));
      return kExitFailed;
    }
  }
  const bool overwrite = args.has("--overwrite");
  PylxImportCallbacks callbacks;
  callbacks.progressText = [](std::string_view text) { std::cout << TerminalText(text) << '\n'; };
  callbacks.message = [](std::string_view text, std::string_view, ImportMessageIcon icon) {
    if (icon == ImportMessageIcon::Information)
      std::cout << TerminalText(text) << '\n';
    else
      PrintError(text);
  };
  callbacks.askYesNo = [overwrite](std::string_view question, std::string_view) {
    std::cout << TerminalText(question) << (overwrite ? " Yes\n" : " No\n");
    return overwrite;
  };
  std::vector<std::string> saved;
  bool imported = ImportPylxMascots(args.positionals, callbacks, folder, &saved);
  for (const std::string& path : saved) std::cout << "Published " << path << '\n';
  // Every file was meant to become a mascot; any that did not is a failure.
  return imported && saved.size() == args.positionals.size() ? kExitOk : kExitFailed;
}

}  // namespace mascot::tool
