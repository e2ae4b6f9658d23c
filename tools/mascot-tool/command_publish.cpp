#include <iostream>

#include "commands.h"
#include "errors/error_text.h"
#include "files/published_mascot.h"
#include "storage/paths.h"
#include "work_loading.h"

namespace mascot::tool {

const CommandInfo kPublishInfo = {
    "publish",
    "WORK.wmascot [OUT.mascot]",
    "Publish a work file, with its pictures and its click sound, as a mascot file.",
    "Loads the work file, every frame picture and the click sound (file names that\n"
    "are not absolute count from the work file's folder), then writes the published\n"
    "mascot. Without OUT.mascot the mascot is written beside the work file, with the\n"
    "extension .mascot. Nothing is written when a picture or the sound fails to load.\n",
    {},
    {},
    1,
    2,
};

int RunPublish(const Arguments& args) {
  const std::string& workPath = args.positionals[0];
  const std::string out = args.positionals.size() > 1 ? args.positionals[1] : ChangeExtension(workPath, ".mascot");

  LoadedWork work = LoadWorkWithMedia(workPath);
  if (!work.document) {
    PrintError(work.errorText);
    return kExitFailed;
  }
  if (!work.complete) {
    PrintError(work.errorText);
    PrintError("Mascot failed to publish!");
    return kExitFailed;
  }
  if (!work.document->hasFrames()) {
    PrintError("The work file \"" + workPath + "\" has no frames.");
    PrintError("Mascot failed to publish!");
    return kExitFailed;
  }
  if (!PublishMascot(out, *work.document)) {
    PrintError(ErrorText("Saving", out, 0));
    PrintError("Mascot failed to publish!");
    return kExitFailed;
  }
  std::cout << out << ": Mascot has been published!\n";
  return kExitOk;
}

}  // namespace mascot::tool
