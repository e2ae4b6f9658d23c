#include "commands/path_dialogs.h"

#include "files/file_dialogs.h"

namespace mascot {
namespace {

// Counts every request as cancelled.
class NoPathDialogs final : public PathDialogs {
 public:
  std::string askOpenPath(const PathDialogRequest&) override { return {}; }
  std::string askSavePath(const PathDialogRequest&) override { return {}; }
};

PathDialogRequest WorkFileRequest(std::string_view title) {
  PathDialogRequest request;
  request.title = title;
  request.filter = kWorkFilterText;
  request.initialFolder = WorkFileInitialFolder();
  request.defaultExtension = DefaultExtensionOf(kWorkFileExtension);
  return request;
}

PathDialogRequest PublishedRequest(std::string_view title, std::string initialFolder) {
  PathDialogRequest request;
  request.title = title;
  request.filter = kPublishedFilterText;
  request.initialFolder = std::move(initialFolder);
  request.defaultExtension = DefaultExtensionOf(kPublishedExtension);
  return request;
}

std::string ChosenWorkPath(const std::string& chosen) {
  if (chosen.empty()) return {};
  RememberWorkFilePath(chosen);
  return ForceWorkFileExtension(chosen);
}

}  // namespace

std::string AskSaveWorkPath(PathDialogs& dialogs, std::string_view currentPath) {
  PathDialogRequest request = WorkFileRequest(kSaveWorkDialogTitle);
  request.defaultName = DefaultWorkFileName(currentPath);
  return ChosenWorkPath(dialogs.askSavePath(request));
}

PathDialogs& PathDialogsOrNone(PathDialogs* dialogs) {
  static NoPathDialogs none;
  return dialogs ? *dialogs : none;
}

std::string AskOpenWorkPath(PathDialogs& dialogs) {
  return ChosenWorkPath(dialogs.askOpenPath(WorkFileRequest(kOpenWorkDialogTitle)));
}

std::string AskPublishPath(PathDialogs& dialogs, std::string_view mascotName) {
  PathDialogRequest request = PublishedRequest(kPublishDialogTitle, PublishInitialFolder());
  request.defaultName = DefaultPublishName(mascotName);
  const std::string chosen = dialogs.askSavePath(request);
  return chosen.empty() ? std::string() : ForcePublishedExtension(chosen);
}

std::string AskOpenPublishedPath(PathDialogs& dialogs) {
  const std::string chosen =
      dialogs.askOpenPath(PublishedRequest(kOpenPublishedDialogTitle, OpenPublishedInitialFolder()));
  if (chosen.empty()) return {};
  RememberOpenedPublishedPath(chosen);
  return ForcePublishedExtension(chosen);
}

}  // namespace mascot
