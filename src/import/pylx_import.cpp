#include "import/pylx_import.h"

#include <string>

#include "import/pylx_mascot_builder.h"
#include "import/pylx_resource_file.h"
#include "storage/file_info.h"
#include "storage/mascot_library.h"
#include "storage/paths.h"

namespace mascot {
namespace {

constexpr const char* kImportCaption = "Importing Mascots";

std::string WithoutExtension(std::string name) {
  const std::size_t dot = name.rfind('.');
  if (dot != std::string::npos) name.erase(dot);
  return name;
}

// The folder a resource file lies in, in absolute form, so that the folder
// above it can be searched too.
std::string ImportDirectoryOf(const std::string& path) {
  std::string full = FullPath(path);
  if (full.empty()) full = path;
  std::string folder = FolderWithSeparator(full);
  if (folder.size() > 1) folder.pop_back();
  return folder;
}

void Show(const PylxImportCallbacks& callbacks, const std::string& text, ImportMessageIcon icon) {
  if (callbacks.message) callbacks.message(text, kImportCaption, icon);
}

}  // namespace

bool ImportPylxMascots(const std::vector<std::string>& paths, const PylxImportCallbacks& callbacks,
                       std::string_view destinationFolder, std::vector<std::string>* savedPaths) {
  const std::string folder = destinationFolder.empty() ? MascotsFolderPath() : std::string(destinationFolder);
  const int total = static_cast<int>(paths.size());
  if (!paths.empty() && callbacks.progressWindow) callbacks.progressWindow(true);

  int imported = 0;
  for (int done = 0; done < total; ++done) {
    const std::string& path = paths[static_cast<std::size_t>(done)];
    if (callbacks.progressPosition) callbacks.progressPosition(done, total);
    if (callbacks.progressText) callbacks.progressText("Importing mascot " + FileNamePart(path) + "...");
    PylxResourceFile file;
    if (!ReadPylxResourceFile(path, file)) continue;
    std::shared_ptr<MascotDocument> document =
        BuildMascotFromPylx(file, ImportDirectoryOf(path), callbacks.progressText);
    if (!document) continue;
    if (callbacks.progressText) callbacks.progressText("Saving mascot...");
    std::string saved;
    if (!SaveImportedMascot(*document, WithoutExtension(FileNamePart(path)), folder, callbacks, &saved)) continue;
    ++imported;
    if (savedPaths) savedPaths->push_back(saved);
  }
  if (callbacks.progressPosition && total > 0) callbacks.progressPosition(total, total);

  if (!paths.empty() && callbacks.progressWindow) callbacks.progressWindow(false);
  if (imported == 1)
    Show(callbacks, "The mascot was successfully imported.", ImportMessageIcon::Information);
  else if (imported > 1)
    Show(callbacks, std::to_string(imported) + " mascots were successfully imported.", ImportMessageIcon::Information);
  else if (!paths.empty())
    Show(callbacks, "Failed to import any mascots.", ImportMessageIcon::Warning);
  return imported > 0;
}

}  // namespace mascot
