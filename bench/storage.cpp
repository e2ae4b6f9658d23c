// CRC-32 each way and against zlib's, the LZSS coder on a picture and on noise,
// and a whole container read.
#include <benchmark/benchmark.h>
#include <unistd.h>
#include <zlib.h>

#include <cstdint>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "storage/crc32.h"
#include "storage/crc32_paths.h"
#include "storage/lzss.h"
#include "storage/resource_file_reader.h"
#include "storage/resource_file_writer.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes RandomBytes(std::size_t size, unsigned seed) {
  std::mt19937 random(seed);
  Bytes bytes(size);
  for (auto& b : bytes) b = static_cast<std::uint8_t>(random());
  return bytes;
}

// A 320 x 200 8-bit frame the way mascot art looks: a flat background, a
// banded floor, a figure with outlines and a dithered shade, a few sparkles.
Bytes PixelArtPicture() {
  constexpr int kWidth = 320, kHeight = 200;
  Bytes pixels(kWidth * kHeight, 0);
  std::mt19937 random(42);
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      std::uint8_t c = 0;  // transparent background
      if (y > 160) c = static_cast<std::uint8_t>(20 + (y - 160) / 8);
      const int dx = x - 160, dy = y - 100;
      const int body = dx * dx / 4 + dy * dy;
      if (body < 3600) c = ((x + y) & 1) && dx > 20 ? 41 : 40;  // shaded body
      if (body >= 3400 && body < 3600) c = 1;                      // outline
      if ((dx + 25) * (dx + 25) + (dy + 20) * (dy + 20) < 40) c = 15;  // eyes
      if ((dx - 25) * (dx - 25) + (dy + 20) * (dy + 20) < 40) c = 15;
      pixels[static_cast<std::size_t>(y * kWidth + x)] = c;
    }
  }
  for (int i = 0; i < 150; ++i) pixels[random() % pixels.size()] = static_cast<std::uint8_t>(200 + random() % 16);
  return pixels;
}

// The CRC the way UpdateCrc32 chooses, by the tables alone and by 128-bit
// folding, side by side with zlib's.
void Crc32Throughput(benchmark::State& state,
                     std::uint32_t (*update)(std::uint32_t, const void*, std::size_t)) {
  const Bytes data = RandomBytes(static_cast<std::size_t>(state.range(0)), 1);
  for (auto _ : state)
    benchmark::DoNotOptimize(update(mascot::kCrc32Initial, data.data(), data.size()));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * state.range(0));
}

void BM_Crc32(benchmark::State& state) { Crc32Throughput(state, mascot::UpdateCrc32); }
BENCHMARK(BM_Crc32)->Arg(64 << 10)->Arg(1 << 20);

void BM_Crc32Table(benchmark::State& state) { Crc32Throughput(state, mascot::UpdateCrc32Table); }
BENCHMARK(BM_Crc32Table)->Arg(64 << 10)->Arg(1 << 20);

void BM_Crc32Folding(benchmark::State& state) {
  if (!mascot::Crc32FoldingAvailable()) {
    state.SkipWithError("no carry-less multiplication on this processor");
    return;
  }
  Crc32Throughput(state, mascot::UpdateCrc32Folding);
}
BENCHMARK(BM_Crc32Folding)->Arg(64 << 10)->Arg(1 << 20);

void BM_ZlibCrc32(benchmark::State& state) {
  const Bytes data = RandomBytes(static_cast<std::size_t>(state.range(0)), 1);
  for (auto _ : state)
    benchmark::DoNotOptimize(crc32(0L, data.data(), static_cast<uInt>(data.size())));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * state.range(0));
}
BENCHMARK(BM_ZlibCrc32)->Arg(64 << 10)->Arg(1 << 20);

// The argument is the number of threads, 0 for one per core.
void Compress(benchmark::State& state, const Bytes& input) {
  std::size_t packed = 0;
  for (auto _ : state) {
    auto result = mascot::CompressIfSmaller(input, static_cast<unsigned>(state.range(0)));
    packed = result.bytes.size();
    benchmark::DoNotOptimize(result.bytes.data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * input.size()));
  state.counters["ratio"] = static_cast<double>(packed) / static_cast<double>(input.size());
}

void Decompress(benchmark::State& state, const Bytes& input) {
  auto packed = mascot::CompressIfSmaller(input);
  if (!packed.compressed) {
    state.SkipWithError("input did not compress");
    return;
  }
  for (auto _ : state) {
    auto out = mascot::DecompressBlock(packed.bytes);
    benchmark::DoNotOptimize(out->data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * input.size()));
}

void BM_LzssCompressPicture(benchmark::State& state) { Compress(state, PixelArtPicture()); }
void BM_LzssDecompressPicture(benchmark::State& state) { Decompress(state, PixelArtPicture()); }
void BM_LzssCompressRandom(benchmark::State& state) { Compress(state, RandomBytes(320 * 200, 9)); }
BENCHMARK(BM_LzssCompressPicture)->ArgName("threads")->Arg(1)->Arg(0)->UseRealTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LzssDecompressPicture)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LzssCompressRandom)->ArgName("threads")->Arg(1)->Arg(0)->UseRealTime()->Unit(benchmark::kMicrosecond);

// Random bytes never compress, so their decoding is measured on a block
// made of literals only (flag bytes 0xFF): the decoder's worst case.
void BM_LzssDecompressLiterals(benchmark::State& state) {
  const Bytes noise = RandomBytes(320 * 200, 9);
  Bytes block(8);
  for (std::size_t i = 0; i < noise.size(); ++i) {
    if (i % 8 == 0) block.push_back(0xFF);
    block.push_back(noise[i]);
  }
  for (int i = 0; i < 4; ++i) block[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(block.size() >> (8 * i));
  for (int i = 0; i < 4; ++i) block[static_cast<std::size_t>(4 + i)] = static_cast<std::uint8_t>(noise.size() >> (8 * i));
  for (auto _ : state) {
    auto out = mascot::DecompressBlock(block);
    benchmark::DoNotOptimize(out->data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * noise.size()));
}
BENCHMARK(BM_LzssDecompressLiterals)->Unit(benchmark::kMicrosecond);

// About 2 MiB: compressed pictures and raw noise, like a mascot with many frames.
std::string MakeContainer() {
  const char* folder = std::getenv("TMPDIR");
  std::string path = std::string(folder != nullptr ? folder : "/tmp") + "/bench-container-" +
                     std::to_string(getpid()) + ".mascot";
  const auto picture = mascot::CompressIfSmaller(PixelArtPicture());
  mascot::ResourceFileWriter writer;
  if (!writer.Open(path, true)) return {};
  std::uint32_t id = 1;
  for (std::size_t total = 0; total < (2u << 20); ++id) {
    if (id % 2 == 0) {
      const Bytes noise = RandomBytes(96 << 10, id);
      writer.WriteResource(noise, mascot::TypeCode("NOIS"), id, false);
      total += noise.size();
    } else {
      writer.WriteResource(picture.bytes, mascot::TypeCode("PICT"), id, true);
      total += picture.bytes.size();
    }
  }
  return writer.Close() ? path : std::string();
}

void BM_ContainerOpenAndLoadAll(benchmark::State& state) {
  const std::string path = MakeContainer();
  if (path.empty()) {
    state.SkipWithError("could not write the container");
    return;
  }
  std::int64_t bytes = 0;
  for (auto _ : state) {
    mascot::ResourceFileReader reader;
    if (!reader.Open(path)) state.SkipWithError("open failed");
    bytes = 0;
    for (const auto& [key, entry] : reader.Dictionary()) bytes += reader.Load(key.first, key.second)->size();
  }
  state.counters["resource_bytes"] = static_cast<double>(bytes);
  state.SetBytesProcessed(state.iterations() * bytes);
  unlink(path.c_str());
}
BENCHMARK(BM_ContainerOpenAndLoadAll)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
