#include "sound/wave_format.h"

#include <gtest/gtest.h>

#include <vector>

namespace mascot {
namespace {

using Bytes = std::vector<std::uint8_t>;

void Put(Bytes& out, std::uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

// A chunk with the given size field; body bytes as given (an odd body may carry a pad byte).
Bytes Chunk(const char* id, Bytes body, std::uint32_t size) {
  Bytes out(id, id + 4);
  Put(out, size, 4);
  out.insert(out.end(), body.begin(), body.end());
  return out;
}

Bytes Format(std::uint16_t channels, std::uint32_t rate, std::uint16_t bits) {
  Bytes body;
  Put(body, 1, 2), Put(body, channels, 2), Put(body, rate, 4), Put(body, rate * channels * bits / 8, 4);
  Put(body, channels * bits / 8u, 2), Put(body, bits, 2);
  return Chunk("fmt ", body, 16);
}

Bytes Riff(std::initializer_list<Bytes> chunks) {
  Bytes body{'W', 'A', 'V', 'E'};
  for (const Bytes& chunk : chunks) body.insert(body.end(), chunk.begin(), chunk.end());
  Bytes out{'R', 'I', 'F', 'F'};
  Put(out, static_cast<std::uint32_t>(body.size()), 4);
  out.insert(out.end(), body.begin(), body.end());
  return out;
}

TEST(WaveFormat, DescribesAPcmFileWithTheSizeAfterTheFormType) {
  Bytes wave = Riff({Format(1, 22050, 16), Chunk("data", Bytes(44100, 0), 44100)});
  ASSERT_EQ(wave.size(), 44144u);
  WaveFormatInfo format;
  std::uint32_t size = 0;
  ASSERT_TRUE(FindWaveFormat(wave, &format, size));
  EXPECT_EQ(FormatSoundInfo(format, size), "Fmt: 16-bit, 22050Hz, Mono\nSize: 44132 bytes");
  // A 16-byte format chunk: the 18 bytes copied run into the next chunk's id.
  EXPECT_EQ(format.extraSize, 'd' | ('a' << 8));
  format.channels = 3;
  EXPECT_EQ(FormatSoundInfo(format, 7), "Fmt: 16-bit, 22050Hz, \nSize: 7 bytes");
}

TEST(WaveFormat, OddChunksAreNotPadded) {
  WaveFormatInfo format;
  std::uint32_t size = 0;
  EXPECT_FALSE(FindWaveFormat(Riff({Chunk("LIST", {1, 2, 3, 0}, 3), Format(2, 8000, 8)}), &format, size));
  EXPECT_EQ(size, 36u);
  ASSERT_TRUE(FindWaveFormat(Riff({Chunk("LIST", {1, 2, 3}, 3), Format(2, 8000, 8)}), &format, size));
  EXPECT_EQ(FormatSoundInfo(format, size), "Fmt: 8-bit, 8000Hz, Stereo\nSize: 35 bytes");
}

TEST(WaveFormat, MissingOrTruncatedFormatIsNotFound) {
  WaveFormatInfo format;
  std::uint32_t size = 0;
  EXPECT_FALSE(FindWaveFormat(Riff({Chunk("data", {1, 2}, 2)}), &format, size));
  EXPECT_EQ(size, 10u);
  EXPECT_FALSE(FindWaveFormat(Riff({Chunk("junk", {}, 0xFFFFFFF0), Format(1, 8000, 8)}), &format, size));

  // The RIFF size claims more than there is: the walk stops at the image's end.
  Bytes cut = Riff({Format(1, 11025, 8)});
  cut.resize(30);
  EXPECT_TRUE(FindWaveFormat(cut, &format, size));
  EXPECT_EQ(format.samplesPerSecond, 11025u);
  EXPECT_EQ(format.bitsPerSample, 0);  // beyond the end, read as zero
  cut.resize(19);
  EXPECT_FALSE(FindWaveFormat(cut, &format, size));

  size = 5;
  EXPECT_FALSE(FindWaveFormat(Bytes{'R', 'I', 'F', 'F', 0, 0, 0}, &format, size));
  EXPECT_EQ(size, 5u);
  EXPECT_FALSE(FindWaveFormat(Bytes{'R', 'I', 'F', 'F', 0, 0, 0, 0}, &format, size));
  EXPECT_EQ(size, 0xFFFFFFFCu);  // the 32-bit arithmetic wraps
}

}  // namespace
}  // namespace mascot
