#include "editing/sound_path_dialog.h"

#include "storage/paths.h"

namespace mascot {

namespace {
// The longest path the dialog is started with.
constexpr std::size_t kInitialPathLimit = 260;
}  // namespace

std::string AskSoundPath(PathDialogs& dialogs, std::string_view currentPath) {
  const std::string_view initial = currentPath.substr(0, kInitialPathLimit);
  PathDialogRequest request;
  request.title = std::string(kOpenWaveDialogTitle);
  request.filter = std::string(kWaveFilterText);
  request.initialFolder = NativePath(FolderWithSeparator(initial));
  request.defaultName = FileNamePart(initial);
  request.defaultExtension = "WAV";
  return dialogs.askOpenPath(request);
}

}  // namespace mascot
