#pragma once
#include <memory>
#include <string_view>

#include "model/mascot_document.h"

// The work-in-progress file (".wmascot"): every field of a mascot and the
// picture file of each frame, as a configuration file. It holds no picture
// or sound data; callers load those from their files afterwards.
namespace mascot {

// Named in the file's first comment line.
inline constexpr std::string_view kWorkFileTitle = "Tovra Mascot";

// Replaces the file only when the whole text was written. False when the
// path is empty, the file is read-only or the write failed (the reason is in
// the last system error). An existing file without entries is taken as new.
bool SaveWorkFile(std::string_view path, const MascotDocument& document);

// A new document with its filePath set, or null when the file is missing,
// unreadable or holds no entry. Texts are cut to their length limits; the
// frames end at the first missing section number.
std::shared_ptr<MascotDocument> LoadWorkFile(std::string_view path);

}  // namespace mascot
