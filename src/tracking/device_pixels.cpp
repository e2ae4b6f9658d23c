#include "tracking/device_pixels.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>

namespace mascot {
namespace {

double Usable(double ratio) { return ratio > 0.0 && std::isfinite(ratio) ? ratio : 1.0; }

int RoundToInt(double value) {
  constexpr double low = std::numeric_limits<int>::min();
  constexpr double high = std::numeric_limits<int>::max();
  return static_cast<int>(std::round(std::clamp(value, low, high)));
}

int DevicePosition(int logical, int origin, double ratio) {
  return RoundToInt(origin + std::round((static_cast<double>(logical) - origin) * Usable(ratio)));
}

// The logical value whose device value comes nearest to the wanted one; of
// two equally near, the one further down (or right).
template <typename ToDevice>
int NearestLogical(int wanted, int origin, double ratio, ToDevice toDevice) {
  const double guess = origin + (static_cast<double>(wanted) - origin) / Usable(ratio);
  const std::int64_t first = static_cast<std::int64_t>(std::floor(guess)) - 1;
  int best = 0;
  std::int64_t bestDistance = std::numeric_limits<std::int64_t>::max();
  int bestDevice = 0;
  // Neighbours of the guess: at a ratio of 1 or more each logical step moves
  // the device value, so the nearest one is among them.
  for (std::int64_t candidate = first; candidate <= first + 3; ++candidate) {
    const int logical = RoundToInt(static_cast<double>(candidate));
    const int device = toDevice(logical);
    const std::int64_t distance = std::llabs(std::int64_t{device} - wanted);
    if (distance < bestDistance || (distance == bestDistance && device > bestDevice)) {
      best = logical;
      bestDistance = distance;
      bestDevice = device;
    }
  }
  return best;
}

int NearestLength(int device, double ratio) {
  return NearestLogical(device, 0, ratio, [ratio](int logical) { return DeviceLength(logical, ratio); });
}

int NearestPosition(int device, int origin, double ratio) {
  return NearestLogical(device, origin, ratio,
                        [origin, ratio](int logical) { return DevicePosition(logical, origin, ratio); });
}

}  // namespace

int DeviceLength(int logical, double ratio) { return RoundToInt(logical * Usable(ratio)); }

Rect DeviceRect(const Rect& logical, const DeviceScale& scale) {
  const int left = DevicePosition(logical.left, scale.originX, scale.ratio);
  const int top = DevicePosition(logical.top, scale.originY, scale.ratio);
  const int width = DeviceLength(logical.right - logical.left, scale.ratio);
  const int height = DeviceLength(logical.bottom - logical.top, scale.ratio);
  return {left, top, RoundToInt(static_cast<double>(left) + width), RoundToInt(static_cast<double>(top) + height)};
}

int LogicalTopStandingOn(int deviceBottom, int logicalHeight, const DeviceScale& scale) {
  const int wantedTop = RoundToInt(static_cast<double>(deviceBottom) - DeviceLength(logicalHeight, scale.ratio));
  return NearestPosition(wantedTop, scale.originY, scale.ratio);
}

Rect LogicalPlacement(const Rect& device, const DeviceScale& scale) {
  const int width = NearestLength(device.right - device.left, scale.ratio);
  const int height = NearestLength(device.bottom - device.top, scale.ratio);
  const int left = NearestPosition(device.left, scale.originX, scale.ratio);
  const int top = LogicalTopStandingOn(device.bottom, height, scale);
  return {left, top, left + width, top + height};
}

}  // namespace mascot
