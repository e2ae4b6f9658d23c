#include "files/file_dialogs.h"

#include "storage/config_syntax.h"
#include "storage/filter_string.h"
#include "storage/mascot_library.h"
#include "storage/paths.h"

namespace mascot {
namespace {

// At most one of each dialog is open at a time, on the one interface thread.
std::string g_openPublishedFolder;
std::string g_workFileFolder;

}  // namespace

std::string PublishedFileFilter() { return MakeFilterString(kPublishedFilterText); }
std::string WorkFileFilter() { return MakeFilterString(kWorkFilterText); }

std::string_view DefaultExtensionOf(std::string_view extension) {
  if (!extension.empty() && extension.front() == '.') extension.remove_prefix(1);
  return extension;
}

std::string DefaultPublishName(std::string_view mascotName) { return StripForbiddenFileNameChars(mascotName); }
std::string DefaultWorkFileName(std::string_view currentPath) { return FileNamePart(currentPath); }

namespace {

// A chosen "PIP.MASCOT" already has the extension: changing its case would
// name a file that does not exist.
std::string ForceExtension(std::string_view chosenPath, std::string_view extension) {
  if (chosenPath.size() >= extension.size() && FileNamePart(chosenPath).size() > extension.size() &&
      CompareNoCase(chosenPath.substr(chosenPath.size() - extension.size()), extension) == 0)
    return std::string(chosenPath);
  return ChangeExtension(chosenPath, extension);
}

}  // namespace

std::string ForcePublishedExtension(std::string_view chosenPath) {
  return ForceExtension(chosenPath, kPublishedExtension);
}
std::string ForceWorkFileExtension(std::string_view chosenPath) {
  return ForceExtension(chosenPath, kWorkFileExtension);
}

std::string PublishInitialFolder() { return MascotsFolderPath(); }

std::string OpenPublishedInitialFolder() {
  return g_openPublishedFolder.empty() ? MascotsFolderPath() : g_openPublishedFolder;
}

void RememberOpenedPublishedPath(std::string_view chosenPath) { g_openPublishedFolder = FolderWithSeparator(chosenPath); }

std::string WorkFileInitialFolder() { return g_workFileFolder; }

void RememberWorkFilePath(std::string_view chosenPath) { g_workFileFolder = FolderWithSeparator(chosenPath); }

}  // namespace mascot
