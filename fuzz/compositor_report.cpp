// Reads arbitrary window reports as a compositor's script might send them,
// and checks that what is listed stays within what a report can say.
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "tracking/compositor_windows.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  mascot::CompositorWindows windows(1);
  const bool taken = windows.take(text);
  std::vector<mascot::DesktopWindow> list;
  windows.list({0, 0, 1920, 1080}, list);
  if (!taken) {
    if (!list.empty()) std::abort();
    return 0;
  }
  if (list.empty() || list.size() > mascot::kMaxReportedWindows + 1) std::abort();
  for (const mascot::DesktopWindow& w : list) {
    if (w.id == mascot::kNoWindow || w.frame.right < w.frame.left || w.frame.bottom < w.frame.top)
      std::abort();
    if (w.id != mascot::CompositorWindows::kScreen && windows.compositorId(w.id).empty()) std::abort();
  }
  // A second look at the same report numbers the windows alike.
  std::vector<mascot::DesktopWindow> again;
  if (!windows.take(text)) std::abort();
  windows.list({0, 0, 1920, 1080}, again);
  if (again.size() != list.size()) std::abort();
  for (std::size_t i = 0; i < list.size(); ++i)
    if (again[i].id != list[i].id) std::abort();
  return 0;
}
