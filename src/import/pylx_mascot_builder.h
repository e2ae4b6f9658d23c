#pragma once
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "import/pylx_resource_file.h"
#include "model/mascot_document.h"

namespace mascot {

using ImportProgressText = std::function<void(std::string_view text)>;

// Where a picture named by a resource file was found, and the folder that
// was searched to find it.
struct FoundPylxPicture {
  std::string path;
  std::string folder;
};

// Looks for a picture in the folder where the previous picture was found,
// then in the import directory, then in the folder that contains it; the
// first existing file wins and its folder is remembered for the next search.
std::optional<FoundPylxPicture> FindPylxPicture(std::string_view fileName, std::string_view importDirectory);

// A mascot made from a resource file, its pictures found from the import
// directory. Null when a picture cannot be found anywhere or no frame has a
// picture; a picture that is found but cannot be decoded only drops its frame.
std::shared_ptr<MascotDocument> BuildMascotFromPylx(const PylxResourceFile& file, std::string_view importDirectory,
                                                    const ImportProgressText& progress = {});

// Forgets the folder of the previous picture and the loaded pictures, as at
// the program's start.
void ResetPylxImportState();

}  // namespace mascot
