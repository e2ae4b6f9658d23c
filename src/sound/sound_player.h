#pragma once
#include <string_view>

#include "sound/sound_data.h"

namespace mascot {

// Plays WAV images. The desktop layer implements it; the core only asks.
class SoundPlayer {
 public:
  virtual ~SoundPlayer() = default;

  // Starts playing and returns at once. A new sound replaces one still
  // playing; an image that cannot be played stays silent (never a default
  // sound). The player keeps its own reference while it plays.
  virtual void playAsync(SoundData sound) = 0;

  // Plays to the end before returning.
  virtual void playSync(const SoundBytes& sound) = 0;
  virtual void playFileSync(std::string_view path) = 0;
};

}  // namespace mascot
