#include "model/mascot_document.h"
#include "model/random_source.h"
#include "model/sound_clip.h"

// Frame sequencing. All state lives in the document: currentFrame and each
// frame's loopsLeft.
namespace mascot {

std::uint32_t MascotDocument::nextDelay() const {
  if (!isActive() || !frameInRange(currentFrame)) return kInactiveFrameDelay;
  const FrameRecord& frame = frameAt(currentFrame);
  if (frame.minFrameDelay == frame.maxFrameDelay) return frame.minFrameDelay;
  return RandomSource::instance().range(frame.minFrameDelay, frame.maxFrameDelay);
}

void MascotDocument::advance(MascotView* window) {
  if (!isActive()) return;
  if (!frameInRange(currentFrame)) currentFrame = 0;
  if (!hasFrames()) return;

  FrameRecord& frame = frameAt(currentFrame);
  auto following = [this] { return currentFrame + 1 >= frameCount() ? 0 : currentFrame + 1; };
  if (frame.jumpFrame == -1) {
    currentFrame = following();
  } else if (frame.minLoopCount == 0 && frame.maxLoopCount == 0) {
    currentFrame = frame.jumpFrame;  // unconditional; the target is checked by whoever shows it
  } else {
    if (frame.loopsLeft == -1) {
      // Scaled by 100 and rounded, so that the maximum can come out too.
      std::uint32_t drawn = RandomSource::instance().range(frame.minLoopCount * 100u, frame.maxLoopCount * 100u);
      frame.loopsLeft = static_cast<std::int32_t>((drawn + 50u) / 100u);
    }
    if (frame.loopsLeft > 0) {
      currentFrame = frame.jumpFrame;
      --frame.loopsLeft;
    } else {
      currentFrame = following();
      frame.loopsLeft = -1;  // the next arrival draws afresh
    }
  }
  applyFrameRegion(window, false);
}

std::uint32_t MascotDocument::setFrame(MascotView* window, std::int32_t index) {
  if (frameInRange(index)) {
    for (FrameRecord& frame : frames) frame.loopsLeft = -1;
    currentFrame = index;
    applyFrameRegion(window, false);
  }
  return nextDelay();
}

bool MascotDocument::startClick(MascotView* window, SoundPlayer* player) {
  if (clickSequenceDefined == 0 || clickStartIndex == -1) return false;
  // A click during the click animation does not restart it.
  if (currentFrame >= clickStartIndex && currentFrame <= clickEndIndex) return false;
  PlayClickSound(*this, player);
  currentFrame = clickStartIndex;
  applyFrameRegion(window, false);
  return true;
}

}  // namespace mascot
