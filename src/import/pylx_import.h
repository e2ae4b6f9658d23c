#pragma once
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "model/mascot_document.h"

// Importing "*.pylx" mascots into the Mascots folder. The desktop program
// (or the command-line tool) shows what happens through these callbacks.
namespace mascot {

enum class ImportMessageIcon { Information, Warning, Error };

struct PylxImportCallbacks {
  // Opens (true) or closes (false) the progress window.
  std::function<void(bool shown)> progressWindow;
  std::function<void(std::string_view text)> progressText;
  // done of total resource files handled.
  std::function<void(int done, int total)> progressPosition;
  std::function<void(std::string_view text, std::string_view caption, ImportMessageIcon icon)> message;
  // A Yes/No question with a question icon; true for Yes. Without it the
  // answer is No.
  std::function<bool(std::string_view question, std::string_view caption)> askYesNo;
};

// Publishes the document as folder/baseName.mascot. When that file exists,
// asks once whether to overwrite it; after a No, tries baseName1, baseName2,
// ... until a free name is found. savedPath, when given, gets the path.
bool SaveImportedMascot(const MascotDocument& document, std::string_view baseName, std::string_view folder,
                        const PylxImportCallbacks& callbacks, std::string* savedPath = nullptr);

// Imports each resource file in order: each file's pictures are looked for
// from its own folder, and the mascot is published into the destination
// folder (the Mascots folder when empty) under the file's name without its
// extension. True when at least one mascot was imported; savedPaths, when
// given, gets the path of each.
bool ImportPylxMascots(const std::vector<std::string>& paths, const PylxImportCallbacks& callbacks,
                       std::string_view destinationFolder = {}, std::vector<std::string>* savedPaths = nullptr);

}  // namespace mascot
