#pragma once
#include <cstdint>
#include <vector>

namespace samples {

// One tone of a click sound: a triangle wave gliding from one pitch to
// another, faded in and out.
struct Tone {
  int startHertz;
  int endHertz;
  int milliseconds;
};

// A complete WAV file: 16-bit mono PCM at 22050 samples per second. Integer
// arithmetic only, so every build writes the same bytes.
std::vector<std::uint8_t> SynthesiseWave(const std::vector<Tone>& tones);

}  // namespace samples
