// Opening a published mascot of 60 frames of 320 x 200 8-bit pixel art.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "files/image_table.h"
#include "files/published_mascot.h"
#include "storage/resource_file_reader.h"
#include "walker_mascot.h"

namespace {

using bench::kFrames;
using bench::Mascot;
using bench::Scratch;

void BM_OpenPublishedMascot(benchmark::State& state) {
  Scratch scratch;
  const std::string path = (scratch.folder / "walker.mascot").string();
  if (!mascot::PublishMascot(path, Mascot())) std::abort();
  for (auto _ : state) {
    auto document = mascot::OpenPublishedMascot(path);
    if (!document || document->images.size() != kFrames) state.SkipWithError("open failed");
    benchmark::DoNotOptimize(document);
  }
  state.counters["frames/s"] = benchmark::Counter(kFrames, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_OpenPublishedMascot)->Unit(benchmark::kMillisecond);

// Reference for the open: what the container itself costs, its CRC checked
// and every resource read and decompressed.
void BM_DecompressPublishedMascot(benchmark::State& state) {
  Scratch scratch;
  const std::string path = (scratch.folder / "walker.mascot").string();
  if (!mascot::PublishMascot(path, Mascot())) std::abort();
  for (auto _ : state) {
    mascot::ResourceFileReader reader;
    if (!reader.Open(path)) state.SkipWithError("open failed");
    for (const auto& [key, entry] : reader.Dictionary()) {
      mascot::ResourceHandle resource = reader.Load(key.first, key.second);
      if (!resource->hasData) state.SkipWithError("load failed");
      benchmark::DoNotOptimize(resource);
    }
  }
}
BENCHMARK(BM_DecompressPublishedMascot)->Unit(benchmark::kMillisecond);

// Rebuilding the pictures and their shapes from an uncompressed table.
void BM_ReadImageTable(benchmark::State& state) {
  const auto table = mascot::BuildImageTable(Mascot().images);
  for (auto _ : state) {
    std::vector<mascot::FrameImage> images;
    if (!mascot::ReadImageTable(*table, images)) state.SkipWithError("read failed");
    benchmark::DoNotOptimize(images);
  }
}
BENCHMARK(BM_ReadImageTable)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
