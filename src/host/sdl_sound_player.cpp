#include "host/sdl_sound_player.h"

#include <SDL.h>

#include <chrono>
#include <vector>

#include "sound/sound_file.h"

namespace mascot {
namespace {

constexpr int kDeviceFrequency = 44100;
constexpr Uint16 kDeviceSamples = 1024;
// A device that stops taking data must not hang a synchronous play.
constexpr std::uint32_t kDrainSlackMs = 2000;
// The conversion to the device's format may take many times the decoded
// size (8-bit mono at 8 kHz grows 22-fold); a sound that would need more
// than this stays silent instead of taking the memory.
constexpr std::uint64_t kMaxConvertedSoundBytes = 256ull << 20;

std::uint32_t DurationMs(std::size_t bytes, int frequency, SDL_AudioFormat format, int channels) {
  const std::size_t bytesPerSecond =
      static_cast<std::size_t>(frequency) * static_cast<std::size_t>(channels) * (SDL_AUDIO_BITSIZE(format) / 8);
  if (bytesPerSecond == 0) return 0;
  return static_cast<std::uint32_t>(bytes * 1000 / bytesPerSecond);
}

// The decoded samples of a WAV image, freed with the object.
struct DecodedWav {
  SDL_AudioSpec spec{};
  Uint8* samples = nullptr;
  Uint32 length = 0;
  ~DecodedWav() { SDL_FreeWAV(samples); }

  bool load(const std::uint8_t* bytes, std::size_t size) {
    if (size == 0 || size > INT32_MAX) return false;
    SDL_RWops* stream = SDL_RWFromConstMem(bytes, static_cast<int>(size));
    if (!stream) return false;
    return SDL_LoadWAV_RW(stream, 1, &spec, &samples, &length) != nullptr;
  }
};

}  // namespace

SdlSoundPlayer::~SdlSoundPlayer() {
  if (device_ != 0) SDL_CloseAudioDevice(device_);
  if (audioInitialised_) SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

bool SdlSoundPlayer::openDevice() {
  if (triedOpen_) return device_ != 0;
  triedOpen_ = true;
  // SIGINT and SIGTERM stay the program's: SDL would turn them into quit
  // events that nothing here reads.
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
  audioInitialised_ = true;

  SDL_AudioSpec desired{};
  desired.freq = kDeviceFrequency;
  desired.format = AUDIO_S16SYS;
  desired.channels = 2;
  desired.samples = kDeviceSamples;
  SDL_AudioSpec obtained{};
  device_ = SDL_OpenAudioDevice(nullptr, 0, &desired, &obtained, SDL_AUDIO_ALLOW_ANY_CHANGE);
  if (device_ == 0) return false;
  frequency_ = obtained.freq;
  format_ = obtained.format;
  channels_ = obtained.channels;
  SDL_PauseAudioDevice(device_, 0);
  return true;
}

bool SdlSoundPlayer::hasDevice() { return openDevice(); }

std::uint32_t SdlSoundPlayer::queuedBytes() const {
  return device_ != 0 ? SDL_GetQueuedAudioSize(device_) : 0;
}

bool SdlSoundPlayer::queue(const std::uint8_t* bytes, std::size_t size, std::uint32_t& durationMs) {
  durationMs = 0;
  if (!openDevice()) return false;
  DecodedWav wav;
  // A sound that cannot be read still stops the one playing, as a new play would.
  SDL_ClearQueuedAudio(device_);
  if (!wav.load(bytes, size)) return false;

  SDL_AudioCVT cvt;
  const int built = SDL_BuildAudioCVT(&cvt, wav.spec.format, wav.spec.channels, wav.spec.freq, format_,
                                      channels_, frequency_);
  if (built < 0) return false;
  std::vector<Uint8> converted;
  const Uint8* data = wav.samples;
  Uint32 length = wav.length;
  if (built > 0) {
    if (std::uint64_t{wav.length} * static_cast<std::uint64_t>(cvt.len_mult) > kMaxConvertedSoundBytes) return false;
    converted.resize(static_cast<std::size_t>(wav.length) * static_cast<std::size_t>(cvt.len_mult));
    std::copy(wav.samples, wav.samples + wav.length, converted.begin());
    cvt.buf = converted.data();
    cvt.len = static_cast<int>(wav.length);
    if (SDL_ConvertAudio(&cvt) != 0) return false;
    data = converted.data();
    length = static_cast<Uint32>(cvt.len_cvt);
  }
  if (SDL_QueueAudio(device_, data, length) != 0) return false;
  durationMs = DurationMs(length, frequency_, format_, channels_);
  return true;
}

void SdlSoundPlayer::waitUntilDrained(std::uint32_t durationMs) {
  using Clock = std::chrono::steady_clock;
  const auto deadline = Clock::now() + std::chrono::milliseconds(durationMs + kDrainSlackMs);
  while (SDL_GetQueuedAudioSize(device_) > 0 && Clock::now() < deadline) SDL_Delay(5);
  // The last chunk is still in the device's buffer when the queue is empty.
  if (frequency_ > 0) SDL_Delay(static_cast<Uint32>(kDeviceSamples * 1000 / frequency_));
}

void SdlSoundPlayer::playAsync(SoundData sound) {
  // SDL copies the samples into its queue, so the image need not outlive the call.
  std::uint32_t durationMs = 0;
  if (sound) queue(sound->data(), sound->size(), durationMs);
}

void SdlSoundPlayer::playSync(const SoundBytes& sound) {
  std::uint32_t durationMs = 0;
  if (queue(sound.data(), sound.size(), durationMs)) waitUntilDrained(durationMs);
}

void SdlSoundPlayer::playFileSync(std::string_view path) {
  // The same read as the sound load: a named pipe or a huge file is refused.
  const SoundFileContents contents = ReadSoundFile(path);
  if (contents.status == SoundFileStatus::Loaded) playSync(contents.bytes);
}

}  // namespace mascot
