#include "click_sound.h"

#include <algorithm>
#include <string>

namespace samples {
namespace {

constexpr std::uint32_t kRate = 22050;
constexpr int kPeak = 9000;  // well below full scale: a click should not startle

void PutLe16(std::vector<std::uint8_t>& out, std::uint32_t v) {
  out.push_back(std::uint8_t(v));
  out.push_back(std::uint8_t(v >> 8));
}
void PutLe32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  PutLe16(out, v & 0xFFFF);
  PutLe16(out, v >> 16);
}
void PutText(std::vector<std::uint8_t>& out, const std::string& text) { out.insert(out.end(), text.begin(), text.end()); }

// Triangle wave of a 32-bit phase, -32768..32767.
int Triangle(std::uint32_t phase) {
  int ramp = int(phase >> 15);  // 0..131071
  return ramp < 65536 ? ramp - 32768 : 98303 - ramp;
}

void AppendTone(std::vector<std::int16_t>& samples, const Tone& tone) {
  const int count = int(kRate * std::uint32_t(tone.milliseconds) / 1000);
  if (tone.startHertz == 0) {  // a rest
    samples.insert(samples.end(), std::size_t(count), 0);
    return;
  }
  const int fade = std::max(1, count / 6);
  std::uint32_t phase = 0;
  for (int i = 0; i < count; ++i) {
    std::int64_t hertz = tone.startHertz + std::int64_t(tone.endHertz - tone.startHertz) * i / count;
    phase += std::uint32_t((hertz << 32) / kRate);
    int envelope = std::min({fade, i, count - 1 - i}) * 256 / fade;  // 0..256
    samples.push_back(std::int16_t(std::int64_t(Triangle(phase)) * kPeak / 32768 * envelope / 256));
  }
}

}  // namespace

std::vector<std::uint8_t> SynthesiseWave(const std::vector<Tone>& tones) {
  std::vector<std::int16_t> samples;
  for (const Tone& tone : tones) AppendTone(samples, tone);
  const std::uint32_t dataSize = std::uint32_t(samples.size() * 2);
  std::vector<std::uint8_t> out;
  PutText(out, "RIFF");
  PutLe32(out, 36 + dataSize);
  PutText(out, "WAVEfmt ");
  PutLe32(out, 16);
  PutLe16(out, 1);  // PCM
  PutLe16(out, 1);  // mono
  PutLe32(out, kRate);
  PutLe32(out, kRate * 2);
  PutLe16(out, 2);
  PutLe16(out, 16);
  PutText(out, "data");
  PutLe32(out, dataSize);
  for (std::int16_t s : samples) PutLe16(out, std::uint16_t(s));
  return out;
}

}  // namespace samples
