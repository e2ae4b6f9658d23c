#include "tracking/compositor_windows.h"

#include <algorithm>
#include <cmath>

namespace mascot {
namespace {

// Any screen's coordinates fit; a hostile report's are held to where sums
// of a few of them cannot overflow.
constexpr double kMaxScaled = 1 << 28;

int Scaled(int value, double ratio) {
  return static_cast<int>(std::lround(std::clamp(value * ratio, -kMaxScaled, kMaxScaled)));
}

}  // namespace

bool CompositorWindows::take(std::string_view text) {
  CompositorReport report;
  if (!ParseCompositorReport(text, report)) return false;
  std::unordered_map<std::string, WindowId> numbers;
  numbers.reserve(report.windows.size());
  numberOf_.clear();
  for (const ReportedWindow& window : report.windows) {
    WindowId number;
    if (const auto kept = numbers.find(window.id); kept != numbers.end()) {
      number = kept->second;  // named twice: one window
    } else if (const auto known = numbers_.find(window.id); known != numbers_.end()) {
      number = known->second;
    } else {
      number = nextNumber_++;
    }
    numbers.emplace(window.id, number);
    numberOf_.push_back(number);
  }
  numbers_ = std::move(numbers);
  report_ = std::move(report);
  hasReport_ = true;
  return true;
}

void CompositorWindows::list(const Rect& xScreen, std::vector<DesktopWindow>& windows) const {
  windows.clear();
  if (!hasReport_) return;
  const int xWidth = xScreen.right - xScreen.left, xHeight = xScreen.bottom - xScreen.top;
  const double rx = xWidth > 0 ? static_cast<double>(xWidth) / report_.screenWidth : 1.0;
  const double ry = xHeight > 0 ? static_cast<double>(xHeight) / report_.screenHeight : 1.0;
  for (std::size_t i = 0; i < report_.windows.size(); ++i) {
    const ReportedWindow& w = report_.windows[i];
    if (w.pid == ownPid_) continue;
    DesktopWindow out;
    out.id = numberOf_[i];
    out.visible = w.shown;
    out.minimised = w.minimised;
    out.hasTitle = !w.title.empty();
    out.frame = {Scaled(w.frame.left, rx), Scaled(w.frame.top, ry), Scaled(w.frame.right, rx),
                 Scaled(w.frame.bottom, ry)};
    if (!w.owner.empty())
      if (const auto owner = numbers_.find(w.owner); owner != numbers_.end()) out.owner = owner->second;
    out.topmost = w.above;
    out.desktop = w.desktop;
    windows.push_back(out);
  }
  // Without a desktop window the screen is the desktop: it ends the list,
  // so a lone window is not taken for the desktop.
  if (std::none_of(windows.begin(), windows.end(), [](const DesktopWindow& w) { return w.desktop; }))
    windows.push_back({kScreen, true, false, false, xScreen, kNoWindow, false, true});
}

std::string_view CompositorWindows::compositorId(WindowId window) const {
  for (std::size_t i = 0; i < numberOf_.size(); ++i)
    if (numberOf_[i] == window) return report_.windows[i].id;
  return {};
}

std::string_view CompositorWindows::title(WindowId window) const {
  for (std::size_t i = 0; i < numberOf_.size(); ++i)
    if (numberOf_[i] == window) return report_.windows[i].title;
  return {};
}

}  // namespace mascot
