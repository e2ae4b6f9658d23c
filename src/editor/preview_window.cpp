#include "editor/preview_window.h"

#include "model/frame_timer.h"

namespace mascot {

namespace {

constexpr char kPreviewTitle[] = "Preview";

}  // namespace

PreviewWindow::PreviewWindow(QWidget* dialog, SoundPlayer* sound, bool hideIfTargetAtTop,
                             Notifications notifications)
    : dialog_(dialog), sound_(sound), hideIfTargetAtTop_(hideIfTargetAtTop), notifications_(std::move(notifications)) {
  watchTimer_.setTimerType(Qt::PreciseTimer);
  frameTimer_.setTimerType(Qt::PreciseTimer);
  QObject::connect(&watchTimer_, &QTimer::timeout, [this] { watchTarget(); });
  QObject::connect(&frameTimer_, &QTimer::timeout, [this] {
    if (!creating_ && player_) player_->frameTick();
  });
}

PreviewWindow::~PreviewWindow() { destroy(); }

bool PreviewWindow::create(MascotDocument& document) {
  destroy();
  creating_ = true;
  // The editor owns the document; the window only looks at it.
  document_ = std::shared_ptr<MascotDocument>(std::shared_ptr<MascotDocument>(), &document);
  MascotWindowHandler* handler = this;
  window_ = std::make_unique<MascotWindow>(handler, dialog_.data());
  window_->setWindowTitle(QString::fromUtf8(kPreviewTitle));
  window_->setDocument(document_);
  const FrameSize size = PreviewPlayer::WindowSize(&document);
  window_->setGeometry(MascotWindow::kInitialX, MascotWindow::kInitialY, size.width, size.height);
  PreviewWindowPort& port = *this;
  player_ = std::make_unique<PreviewPlayer>(&document, port, sound_, hideIfTargetAtTop_);
  player_->created();
  creating_ = false;
  // As the window's creation message would: the timers start once the
  // event loop runs again.
  QMetaObject::invokeMethod(window_.get(), [this] { startTimers(); }, Qt::QueuedConnection);
  return true;
}

void PreviewWindow::destroy() {
  watchTimer_.stop();
  frameTimer_.stop();
  player_.reset();
  if (window_) window_->setHandler(nullptr);
  window_.reset();
  document_.reset();
}

void PreviewWindow::startTimers() {
  watchTimer_.start(PreviewPlayer::kWatchMilliseconds);
  frameTimer_.start(PreviewPlayer::kFirstFrameMilliseconds);
}

void PreviewWindow::watchTarget() {
  if (creating_ || !player_) return;
  if (player_->watchTarget() && window_) window_->update();
}

void PreviewWindow::refresh() {
  if (player_) player_->refresh();
}
void PreviewWindow::showFrame(std::int32_t frame) {
  if (player_) player_->showFrame(frame);
}
void PreviewWindow::stop() {
  if (player_) {
    player_->stop();
  } else {
    PreviewPlayer::SetStopped(true);
  }
}
void PreviewWindow::start() {
  if (player_) {
    player_->start();
  } else {
    PreviewPlayer::SetStopped(false);
  }
}
void PreviewWindow::step() {
  if (player_) player_->step();
}
bool PreviewWindow::isStopped() { return PreviewPlayer::IsStopped(); }

void PreviewWindow::hide() {
  if (window_ && window_->isVisible()) window_->hide();
}
void PreviewWindow::show() {
  if (window_ && !window_->isVisible()) window_->show();
}
int PreviewWindow::width() { return window_ ? window_->width() : 0; }

// -- the port --

MascotView& PreviewWindow::view() { return window_->view(); }
int PreviewWindow::height() { return window_ ? window_->height() : 0; }

Rect PreviewWindow::targetRect() {
  if (!dialog_) return {};
  const QRect frame = dialog_->frameGeometry();
  return {frame.left(), frame.top(), frame.left() + frame.width(), frame.top() + frame.height()};
}

void PreviewWindow::resize(int width, int height) {
  if (window_ && window_->size() != QSize(width, height)) window_->resize(width, height);
}

void PreviewWindow::showAt(const Rect& rect) {
  if (!window_) return;
  const QRect geometry(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
  if (window_->geometry() != geometry) window_->setGeometry(geometry);
  if (!window_->isVisible()) window_->show();
}

void PreviewWindow::setFrameTimer(std::uint32_t milliseconds) {
  frameTimer_.start(FrameTimerInterval(milliseconds));
}
void PreviewWindow::killFrameTimer() { frameTimer_.stop(); }
bool PreviewWindow::frameTimerRunning() { return frameTimer_.isActive(); }

void PreviewWindow::repaintNow() {
  if (window_) window_->repaint();
}

void PreviewWindow::postShowCurrent(std::int32_t frame) {
  if (!notifications_.showCurrent || !window_) return;
  QMetaObject::invokeMethod(
      window_.get(), [show = notifications_.showCurrent, frame] { show(frame); }, Qt::QueuedConnection);
}

void PreviewWindow::sendShowClicked(std::int32_t frame) {
  if (notifications_.showClicked) notifications_.showClicked(frame);
}

// The preview never takes the focus (it does not accept it), so the editor
// keeps it; a click still hands it back in case the window manager moved it.
void PreviewWindow::activatePrevious() {
  if (dialog_) dialog_->activateWindow();
}

void PreviewWindow::mascotPressed() {
  if (player_) player_->click();
}

void PreviewWindow::windowMoved() {
  if (creating_ || !player_) return;
  watchTarget();
}

}  // namespace mascot
