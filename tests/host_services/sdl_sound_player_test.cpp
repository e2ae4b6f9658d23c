#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <string>

#include "host/sdl_sound_player.h"

namespace mascot {
namespace {

void Put(SoundBytes& out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

// A 16-bit mono tone of the given length.
SoundBytes ToneWav(int milliseconds, std::uint32_t rate = 22050) {
  const std::uint32_t samples = rate * static_cast<std::uint32_t>(milliseconds) / 1000;
  SoundBytes wav = {'R', 'I', 'F', 'F'};
  Put(wav, 36 + samples * 2, 4);
  for (char c : std::string("WAVEfmt ")) wav.push_back(static_cast<std::uint8_t>(c));
  Put(wav, 16, 4), Put(wav, 1, 2), Put(wav, 1, 2);  // PCM, mono
  Put(wav, rate, 4), Put(wav, rate * 2, 4), Put(wav, 2, 2), Put(wav, 16, 2);
  for (char c : std::string("data")) wav.push_back(static_cast<std::uint8_t>(c));
  Put(wav, samples * 2, 4);
  for (std::uint32_t i = 0; i < samples; ++i)
    Put(wav, static_cast<std::uint16_t>(static_cast<std::int16_t>(8000 * std::sin(i * 0.1))), 2);
  return wav;
}

SoundData Shared(SoundBytes bytes) { return std::make_shared<const SoundBytes>(std::move(bytes)); }

TEST(SdlSoundPlayerTest, PlaysFromMemoryAndANewSoundReplacesThePlayingOne) {
  SdlSoundPlayer player;
  ASSERT_TRUE(player.hasDevice());

  player.playAsync(Shared(ToneWav(3000)));
  const std::uint32_t longQueued = player.queuedBytes();
  EXPECT_GT(longQueued, 0u);

  player.playAsync(Shared(ToneWav(100)));
  const std::uint32_t shortQueued = player.queuedBytes();
  EXPECT_GT(shortQueued, 0u);
  EXPECT_LT(shortQueued, longQueued / 10);

  // Garbage plays nothing, and stops what played.
  player.playAsync(Shared(SoundBytes{'R', 'I', 'F', 'F', 1, 2, 3}));
  EXPECT_EQ(player.queuedBytes(), 0u);
  player.playAsync(nullptr);
  player.playSync(SoundBytes{});
  player.playFileSync("/nonexistent/click.wav");
}

TEST(SdlSoundPlayerTest, PlaySyncReturnsWhenTheSoundHasPlayed) {
  SdlSoundPlayer player;
  const auto start = std::chrono::steady_clock::now();
  player.playSync(ToneWav(300, 8000));
  const auto elapsed = std::chrono::steady_clock::now() - start;
  EXPECT_EQ(player.queuedBytes(), 0u);
  EXPECT_GE(elapsed, std::chrono::milliseconds(250));
  EXPECT_LT(elapsed, std::chrono::milliseconds(3000));
}

}  // namespace
}  // namespace mascot
