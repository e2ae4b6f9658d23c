#pragma once
#include <cstdint>
#include <string_view>

#include "sound/sound_player.h"

namespace mascot {

// The click sound over SDL's audio subsystem. The device is opened on the
// first play and kept; every sound is converted to its format and queued. A
// new sound clears the queue, so it replaces one still playing. Sounds SDL
// cannot read, and every sound when there is no audio device, stay silent.
class SdlSoundPlayer final : public SoundPlayer {
 public:
  SdlSoundPlayer() = default;
  ~SdlSoundPlayer() override;
  SdlSoundPlayer(const SdlSoundPlayer&) = delete;
  SdlSoundPlayer& operator=(const SdlSoundPlayer&) = delete;

  void playAsync(SoundData sound) override;
  void playSync(const SoundBytes& sound) override;
  void playFileSync(std::string_view path) override;

  // Bytes still waiting for the device (0 when silent or finished).
  std::uint32_t queuedBytes() const;
  // Whether an audio device could be opened.
  bool hasDevice();

 private:
  // Converts and queues the image, replacing anything queued; false when it
  // was not queued. The milliseconds it lasts go to durationMs.
  bool queue(const std::uint8_t* bytes, std::size_t size, std::uint32_t& durationMs);
  bool openDevice();
  void waitUntilDrained(std::uint32_t durationMs);

  bool triedOpen_ = false;
  bool audioInitialised_ = false;
  std::uint32_t device_ = 0;  // SDL_AudioDeviceID; 0: none
  int frequency_ = 0;
  std::uint16_t format_ = 0;
  std::uint8_t channels_ = 0;
};

}  // namespace mascot
