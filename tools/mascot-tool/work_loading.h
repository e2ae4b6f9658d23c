#pragma once
#include <memory>
#include <string>
#include <string_view>

#include "model/mascot_document.h"

namespace mascot::tool {

// A work file with everything it names: the frame pictures and the click
// sound. Relative file names count from the work file's folder, so a mascot's
// folder can move as a whole.
struct LoadedWork {
  std::shared_ptr<MascotDocument> document;  // null when the work file itself failed
  std::string errorText;                     // the program's texts for what failed
  bool complete = false;                     // the file, every picture and the sound loaded
};

LoadedWork LoadWorkWithMedia(std::string_view path);

// Only the work file, for describing it (nothing it names is read).
std::shared_ptr<MascotDocument> LoadWorkOnly(std::string_view path, std::string& errorText);

// The name as seen from the work file's folder; absolute names stay.
std::string ResolveBesideWorkFile(std::string_view workPath, std::string_view name);

}  // namespace mascot::tool
