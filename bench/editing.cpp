// The editor's frame list with thousands of frames: attaching them, and
// scrolling a page, on Qt's offscreen platform.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QScrollBar>

#include <cstdint>
#include <string>
#include <vector>

#include "editor/frame_list_view.h"

namespace {

std::vector<mascot::FrameRecord> Frames(int count) {
  std::vector<mascot::FrameRecord> frames(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) {
    mascot::FrameRecord& f = frames[static_cast<std::size_t>(i)];
    f.fileName = "/home/author/mascots/walk/frame" + std::to_string(i) + ".bmp";
    f.minFrameDelay = 100, f.maxFrameDelay = 200;
    if (i % 8 == 7) f.jumpFrame = i - 4, f.minLoopCount = 1, f.maxLoopCount = 3;
  }
  return frames;
}

// The list as the editor dialog shows it.
struct ShownList {
  ShownList() {
    view.resize(620, 300);
    view.show();
    QApplication::processEvents();
  }
  mascot::FrameListView view;
};

void BM_AttachFrames(benchmark::State& state) {
  const auto frames = Frames(static_cast<int>(state.range(0)));
  ShownList list;
  for (auto _ : state) {
    list.view.setFrames(frames);
    benchmark::DoNotOptimize(list.view.count());
  }
}
BENCHMARK(BM_AttachFrames)->Arg(2000)->Unit(benchmark::kMillisecond);

void BM_ScrollOnePage(benchmark::State& state) {
  ShownList list;
  list.view.setFrames(Frames(2000));
  auto* scrollBar = list.view.findChild<QScrollBar*>();
  for (auto _ : state) {
    if (scrollBar->value() >= scrollBar->maximum()) scrollBar->setValue(0);
    scrollBar->triggerAction(QAbstractSlider::SliderPageStepAdd);
    QApplication::processEvents();  // the repaint of the rows
  }
}
BENCHMARK(BM_ScrollOnePage)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
