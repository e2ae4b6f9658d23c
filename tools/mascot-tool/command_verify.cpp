#include <iostream>

#include "commands.h"
#include "files/published_mascot.h"
#include "mascot_file_check.h"
#include "storage/mascot_library.h"

namespace mascot::tool {

const CommandInfo kVerifyInfo = {
    "verify",
    "FILE...",
    "Check that mascot files open completely.",
    "A published mascot passes when it opens, every resource in it loads (CRC and\n"
    "compressed blocks included) and every stored picture can be built. A work file\n"
    "passes when it, every frame picture and the click sound load. Each file gets a\n"
    "line; the exit status is 0 only when every file passes.\n",
    {},
    {},
    1,
    0,
};

int RunVerify(const Arguments& args) {
  int failures = 0;
  for (const std::string& path : args.positionals) {
    CheckedMascotFile checked = CheckMascotFile(path);
    if (!checked.complete()) {
      ++failures;
      PrintError(checked.errorText);
      std::cout << path << ": FAILED\n";
      continue;
    }
    const MascotDocument& d = *checked.document;
    std::cout << path << ": OK (" << KindName(checked.kind);
    if (checked.kind == kPublishedMascotFile) std::cout << ' ' << FormatVersion(d.formatVersion);
    std::cout << ", " << d.frames.size() << " frames, " << d.images.size() << " pictures"
              << (d.soundData ? ", sound" : "") << ")\n";
  }
  return failures == 0 ? kExitOk : kExitFailed;
}

}  // namespace mascot::tool
