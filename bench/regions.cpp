// Building a picture's shape: one pass against the one-at-a-time union it
// replaced, and how each grows with the picture (N against 2N rows).
#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "imaging/bitmap.h"
#include "imaging/region.h"
#include "model/transparent_region.h"

namespace {

using mascot::Bitmap;
using mascot::Rect;

// A 1-bit checkerboard of single pixels: the most rectangles a picture can have.
std::shared_ptr<Bitmap> Checkerboard(int width, int height) {
  auto bitmap = Bitmap::Create(width, height, 1);
  bitmap->colourTable() = {{0, 0, 0, 0}, {255, 255, 255, 0}};
  for (int y = 0; y < height; ++y)
    for (std::uint32_t i = 0; i < bitmap->stride(); ++i) bitmap->row(y)[i] = (y % 2) ? 0xAA : 0x55;
  return bitmap;
}

void BM_CheckerboardRegion(benchmark::State& state) {
  auto bitmap = Checkerboard(512, static_cast<int>(state.range(0)));
  std::vector<Rect> rects;
  std::size_t boxes = 0;
  for (auto _ : state) {
    auto region = mascot::BuildTransparentRegion(bitmap.get(), rects, true);
    boxes = region->rects().size();
    benchmark::DoNotOptimize(region);
  }
  state.counters["boxes"] = static_cast<double>(boxes);
  state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_CheckerboardRegion)->RangeMultiplier(2)->Range(128, 512)->Complexity(benchmark::oN)->Unit(benchmark::kMillisecond);

// Stored rectangles of a published file: the checkerboard's own list.
void BM_StoredRectsRegion(benchmark::State& state) {
  std::vector<Rect> stored;
  mascot::FindOpaqueRects(*Checkerboard(512, static_cast<int>(state.range(0))), stored);
  for (auto _ : state) {
    std::vector<Rect> rects = stored;
    benchmark::DoNotOptimize(mascot::BuildTransparentRegion(nullptr, rects, false));
  }
  state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_StoredRectsRegion)->RangeMultiplier(2)->Range(128, 512)->Complexity(benchmark::oN)->Unit(benchmark::kMillisecond);

// Reference: the region engine's own build from the whole list.
void BM_PixmanInitRects512(benchmark::State& state) {
  std::vector<Rect> rects;
  mascot::FindOpaqueRects(*Checkerboard(512, 512), rects);
  std::vector<pixman_box32_t> boxes;
  for (const Rect& r : rects) boxes.push_back({r.left, r.top, r.right, r.bottom});
  for (auto _ : state) {
    pixman_region32_t region;
    pixman_region32_init_rects(&region, boxes.data(), static_cast<int>(boxes.size()));
    benchmark::DoNotOptimize(region);
    pixman_region32_fini(&region);
  }
}
BENCHMARK(BM_PixmanInitRects512)->Unit(benchmark::kMillisecond);

// Reference: the one-at-a-time union, on small square checkerboards (512 x
// 512 takes minutes).
void BM_OneAtATimeUnion(benchmark::State& state) {
  const int side = static_cast<int>(state.range(0));
  std::vector<Rect> rects;
  mascot::FindOpaqueRects(*Checkerboard(side, side), rects);
  for (auto _ : state) {
    mascot::Region region;
    for (const Rect& r : rects) region.unite(r);
    benchmark::DoNotOptimize(region);
  }
  state.SetComplexityN(side * side);
}
BENCHMARK(BM_OneAtATimeUnion)->RangeMultiplier(2)->Range(32, 128)->Complexity(benchmark::oNSquared)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
