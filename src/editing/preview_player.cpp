#include "editing/preview_player.h"

#include "tracking/target_tracker.h"

namespace mascot {
namespace {

// Survives from one editor run to the next, for the life of the process.
bool gStopped = false;

}  // namespace

PreviewPlayer::PreviewPlayer(MascotDocument* document, PreviewWindowPort& window, SoundPlayer* sound,
                             bool hideIfTargetAtTop)
    : document_(document), window_(window), sound_(sound), hideIfTargetAtTop_(hideIfTargetAtTop) {}

bool PreviewPlayer::IsStopped() { return gStopped; }
void PreviewPlayer::SetStopped(bool stopped) { gStopped = stopped; }

FrameSize PreviewPlayer::WindowSize(const MascotDocument* document) {
  FrameSize size = document ? document->maxFrameSize() : FrameSize{};
  if (size.width == 0) size.width = kEmptySide;
  if (size.height == 0) size.height = kEmptySide;
  return size;
}

std::optional<std::pair<int, int>> PreviewPlayer::Placement(const MascotDocument* document, int width, int height,
                                                            const Rect& target, bool hideIfTargetAtTop) {
  if (document == nullptr) return std::nullopt;
  if (hideIfTargetAtTop && target.top < 1) return std::nullopt;
  const Offsets offset = TargetTracker::computeOffset(*document, width, target.right - target.left);
  return std::make_pair(target.left + offset.x, target.top - height + offset.y);
}

void PreviewPlayer::created() {
  target_ = window_.targetRect();
  if (document_) document_->applyFrameRegion(&window_.view(), true);
  place();
}

void PreviewPlayer::refresh() {
  if (document_) document_->applyFrameRegion(&window_.view(), false);
  const FrameSize size = WindowSize(document_);
  window_.resize(size.width, size.height);
  place();
}

void PreviewPlayer::place() {
  const int width = window_.width();
  const int height = window_.height();
  const auto corner = Placement(document_, width, height, target_, hideIfTargetAtTop_);
  if (!corner) {
    window_.hide();
    return;
  }
  const auto [left, top] = *corner;
  window_.showAt({left, top, left + width, top + height});
}

void PreviewPlayer::showFrame(std::int32_t frame) {
  if (!document_) return;
  // Set even while stopped: the tick then does nothing.
  window_.setFrameTimer(document_->setFrame(&window_.view(), frame));
  window_.repaintNow();
  window_.postShowCurrent(document_->currentFrame);
}

void PreviewPlayer::stop() {
  if (gStopped) return;
  gStopped = true;
  if (window_.frameTimerRunning()) window_.killFrameTimer();
}

void PreviewPlayer::start() {
  if (!gStopped) return;
  gStopped = false;
  showFrame(0);
}

void PreviewPlayer::step() {
  if (!document_) return;
  document_->advance(&window_.view());
  const std::uint32_t delay = document_->nextDelay();
  if (!gStopped) window_.setFrameTimer(delay);
  window_.repaintNow();
  window_.postShowCurrent(document_->currentFrame);
}

void PreviewPlayer::frameTick() {
  if (!gStopped) step();
}

bool PreviewPlayer::watchTarget() {
  const Rect now = window_.targetRect();
  if (now == target_) return false;
  target_ = now;
  place();
  return true;
}

void PreviewPlayer::click() {
  if (document_ && document_->startClick(&window_.view(), sound_)) {
    window_.setFrameTimer(document_->nextDelay());
    window_.repaintNow();
    window_.sendShowClicked(document_->currentFrame);
  }
  // Clicking the preview never keeps the focus from the editor.
  window_.activatePrevious();
}

}  // namespace mascot
