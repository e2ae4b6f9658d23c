// Publishing a mascot of 60 frames of 320 x 200 8-bit pixel art, on one
// thread and on all.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <filesystem>
#include <string>

#include "files/image_table.h"
#include "files/published_mascot.h"
#include "storage/lzss.h"
#include "walker_mascot.h"

namespace {

using bench::kFrames;
using bench::Mascot;
using bench::MascotDocument;
using bench::Scratch;

// The argument is the number of compression threads, 0 for one per core.
void BM_PublishMascot(benchmark::State& state) {
  mascot::SetDefaultCompressionThreads(static_cast<unsigned>(state.range(0)));
  const MascotDocument document = Mascot();
  Scratch scratch;
  const std::string path = (scratch.folder / "walker.mascot").string();
  for (auto _ : state)
    if (!mascot::PublishMascot(path, document)) state.SkipWithError("publish failed");
  state.counters["file_bytes"] = static_cast<double>(std::filesystem::file_size(path));
  state.counters["frames/s"] = benchmark::Counter(kFrames, benchmark::Counter::kIsIterationInvariantRate);
  mascot::SetDefaultCompressionThreads(0);
}
// Real time: the work is done on other threads too.
BENCHMARK(BM_PublishMascot)->ArgName("threads")->Arg(1)->Arg(0)->UseRealTime()->Unit(benchmark::kMillisecond);

// The coder alone on the image table, the one large resource: publishing
// without building the table and writing the file.
void BM_CompressImageTable(benchmark::State& state) {
  const auto table = mascot::BuildImageTable(Mascot().images);
  if (!table) {
    state.SkipWithError("no image table");
    return;
  }
  for (auto _ : state)
    benchmark::DoNotOptimize(mascot::CompressIfSmaller(*table, static_cast<unsigned>(state.range(0))).bytes.data());
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * table->size()));
}
BENCHMARK(BM_CompressImageTable)->ArgName("threads")->Arg(1)->Arg(0)->UseRealTime()->Unit(benchmark::kMillisecond);

// The image table alone, without compression or the file: what publishing
// costs apart from the coder.
void BM_BuildImageTable(benchmark::State& state) {
  const MascotDocument document = Mascot();
  for (auto _ : state) benchmark::DoNotOptimize(mascot::BuildImageTable(document.images));
}
BENCHMARK(BM_BuildImageTable)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
