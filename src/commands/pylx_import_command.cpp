#include "commands/pylx_import_command.h"

#include "storage/paths.h"

namespace mascot {
namespace {

constexpr unsigned kInformationIcon = 0x40;
constexpr unsigned kWarningIcon = 0x30;

std::string& PreviousImportFolder() {
  static std::string folder;
  return folder;
}

unsigned IconFlag(ImportMessageIcon icon) {
  switch (icon) {
    case ImportMessageIcon::Information: return kInformationIcon;
    case ImportMessageIcon::Warning: return kWarningIcon;
    case ImportMessageIcon::Error: return CommandDialogs::kStopIcon;
  }
  return 0;
}

}  // namespace

std::string ChoosePylxFiles(PathDialogs& dialogs, std::vector<std::string>& paths) {
  PathDialogRequest request;
  request.title = kImportPylxDialogTitle;
  request.filter = kPylxFilterText;
  request.initialFolder = PreviousImportFolder();
  request.defaultExtension = "pylx";
  paths = dialogs.askOpenPaths(request);
  if (paths.empty()) return {};
  std::string folder = FolderWithSeparator(paths.front());
  if (folder.size() > 1) folder.pop_back();
  if (!folder.empty()) PreviousImportFolder() = folder;
  return folder;
}

PylxImportCallbacks ImportCallbacksFor(CommandDialogs& dialogs) {
  PylxImportCallbacks callbacks;
  callbacks.progressWindow = [&dialogs](bool shown) {
    if (shown) {
      dialogs.openProgress();
    } else {
      dialogs.closeProgress();
    }
  };
  // The title line keeps "Working..."; each step shows in the detail line.
  callbacks.progressText = [&dialogs](std::string_view text) { dialogs.setProgressDetail(std::string(text)); };
  callbacks.message = [&dialogs](std::string_view text, std::string_view caption, ImportMessageIcon icon) {
    dialogs.showMessage(std::string(text), std::string(caption), CommandDialogs::kOkOnly | IconFlag(icon));
  };
  callbacks.askYesNo = [&dialogs](std::string_view question, std::string_view caption) {
    return dialogs.showMessage(std::string(question), std::string(caption), CommandDialogs::kYesNoQuestion) ==
           CommandDialogs::kAnswerYes;
  };
  return callbacks;
}

bool ImportChosenPylxMascots(const std::vector<std::string>& paths, CommandDialogs& dialogs,
                             std::string_view destinationFolder) {
  return ImportPylxMascots(paths, ImportCallbacksFor(dialogs), destinationFolder);
}

}  // namespace mascot
