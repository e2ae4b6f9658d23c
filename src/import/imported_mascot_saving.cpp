#include <string>

#include "files/published_mascot.h"
#include "import/pylx_import.h"
#include "storage/file_info.h"
#include "storage/paths.h"

namespace mascot {
namespace {

constexpr const char* kMascotExtension = ".mascot";

}  // namespace

bool SaveImportedMascot(const MascotDocument& document, std::string_view baseName, std::string_view folder,
                        const PylxImportCallbacks& callbacks, std::string* savedPath) {
  std::string fileName = std::string(baseName) + kMascotExtension;
  std::string path = JoinPath(folder, fileName);
  bool asked = false;
  for (unsigned number = 1; FileExists(path); ++number) {
    if (!asked) {
      asked = true;
      const std::string question = "Okay to overwrite " + fileName + " in " + std::string(folder) + "?";
      if (callbacks.askYesNo && callbacks.askYesNo(question, "Question")) break;
    }
    fileName = std::string(baseName) + std::to_string(number) + kMascotExtension;
    path = JoinPath(folder, fileName);
  }
  if (!PublishMascot(path, document)) return false;
  if (savedPath) *savedPath = path;
  return true;
}

}  // namespace mascot
