#include "host/tip_layout.h"

#include <algorithm>
#include <cstdlib>

namespace mascot {

TipSize LayOutTipLines(std::span<TipLine> lines, std::span<const TipLineMetrics> metrics) {
  auto metricsOf = [&](std::size_t i) { return i < metrics.size() ? metrics[i] : TipLineMetrics{}; };
  TipSize content;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    content.width = std::max(content.width, metricsOf(i).width);
    content.height += metricsOf(i).height;
  }
  int y = 0;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const TipLineMetrics m = metricsOf(i);
    const int left = (content.width - m.width) / 2;
    lines[i].rect = Rect{left, y, left + m.width, y + m.boxHeight};
    y += m.boxHeight;
  }
  return content;
}

TipSize TipWindowSize(TipSize content) {
  return {content.width + kTipDialogFrame + 2, content.height + kTipDialogFrame + 2};
}

TipPoint PlaceTip(TipPoint pointer, TipSize tip, const Rect& workArea) {
  TipPoint at{pointer.x - tip.width / 2, pointer.y - tip.height / 2};
  at.x = std::max(at.x, 0);
  at.y = std::max(at.y, 0);
  if (at.x + tip.width > workArea.right) at.x = workArea.right - tip.width;
  if (at.y + tip.height > workArea.bottom) at.y = workArea.bottom - tip.height;
  return at;
}

bool IsPointerAtRest(TipPoint restedAt, TipPoint now) {
  return std::abs(now.x - restedAt.x) <= 1 && now.y == restedAt.y;
}

}  // namespace mascot
