#pragma once
#include <cstdint>
#include <string_view>

#include "sound/sound_data.h"

namespace mascot {

// No click sound is anywhere near this; a larger file is refused before any
// allocation.
inline constexpr std::uint64_t kMaxSoundFileSize = 64ull * 1024 * 1024;

enum class SoundFileStatus {
  Loaded,
  OpenFailed,  // the last system error tells why
  NoSize,      // empty, or its size cannot be told: no sound, and no error to show
  ReadFailed,  // the last system error tells why
};

struct SoundFileContents {
  SoundFileStatus status = SoundFileStatus::OpenFailed;
  SoundBytes bytes;
};

// Reads a sound file whole, as the sound load and the format search do.
SoundFileContents ReadSoundFile(std::string_view path);

}  // namespace mascot
