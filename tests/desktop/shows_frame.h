#pragma once
// Whether a picture of the screen shows a mascot frame where its window is.
#include <QImage>

#include "model/mascot_document.h"

namespace mascot {

constexpr std::uint32_t kBackdrop = 0xd040d0;

// The frame's picture inside its opaque area, each pixel a scale x scale
// block of its colour, and none of the picture around it: the shape, grown
// by the scale, and not one pixel blurred. (Around it shows the backdrop, or
// a compositing window manager's shadow of the window below.)
inline bool ShowsFrame(const QImage& screen, const Rect& window, const FrameImage& frame, int scale = 1) {
  if (!frame.bitmap || frame.width * scale != window.right - window.left ||
      frame.height * scale != window.bottom - window.top)
    return false;
  for (int y = 0; y < frame.height * scale; ++y) {
    for (int x = 0; x < frame.width * scale; ++x) {
      const std::uint32_t c = frame.bitmap->pixelColour(x / scale, y / scale);  // 0x00BBGGRR
      const QRgb picture = (c & 0xFF) << 16 | (c & 0xFF00) | (c >> 16 & 0xFF);
      const QRgb shown = screen.pixel(window.left + x, window.top + y) & 0xFFFFFF;
      const bool opaque = frame.region->contains(x / scale, y / scale);
      if (opaque ? shown != picture : shown == picture && picture != kBackdrop) return false;
    }
  }
  return true;
}

}  // namespace mascot
