#pragma once
#include <cstdint>
#include <memory>
#include <vector>

namespace mascot {

// A complete WAV file image, shared by every document copy that holds it and
// by a player that is still playing it.
using SoundBytes = std::vector<std::uint8_t>;
using SoundData = std::shared_ptr<const SoundBytes>;

}  // namespace mascot
