// Publishing a mascot of 60 frames of 320 x 200 8-bit pixel art.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "files/image_table.h"
#include "files/published_mascot.h"
#include "walker_mascot.h"

namespace {

using bench::kFrames;
using bench::Mascot;
using bench::MascotDocument;
using bench::Scratch;

void BM_PublishMascot(benchmark::State& state) {
  const MascotDocument document = Mascot();
  Scratch scratch;
  const std::string path = (scratch.folder / "walker.mascot").string();
  for (auto _ : state)
    if (!mascot::PublishMascot(path, document)) state.SkipWithError("publish failed");
  state.counters["file_bytes"] = static_cast<double>(std::filesystem::file_size(path));
  state.counters["frames/s"] = benchmark::Counter(kFrames, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_PublishMascot)->Unit(benchmark::kMillisecond);

// The image table alone, without compression or the file: what publishing
// costs apart from the coder.
void BM_BuildImageTable(benchmark::State& state) {
  const MascotDocument document = Mascot();
  for (auto _ : state) benchmark::DoNotOptimize(mascot::BuildImageTable(document.images));
}
BENCHMARK(BM_BuildImageTable)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
