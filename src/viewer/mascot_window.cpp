#include "viewer/mascot_window.h"

#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>

namespace mascot {

namespace {

constexpr char kTitle[] = "Tovra Mascot";

// An empty toolkit mask would mean no mask at all; a fully transparent frame
// must show nothing, so it gets a shape that lies outside the window.
const QRegion& NothingVisible() {
  static const QRegion outside(-1, -1, 1, 1);
  return outside;
}

}  // namespace

class MascotWindow::View final : public MascotView {
 public:
  explicit View(MascotWindow& window) : window_(window) {}
  bool setShape(SharedHandle<Region> shape) override { return shape && window_.applyShape(*shape); }
  void repaint() override { window_.repaint(); }

 private:
  MascotWindow& window_;
};

// An ordinary window, not a utility one: some window managers hide utility
// windows while their program is not the active one, and the mascot is on
// show while other programs are used. (The shell keeps it off the taskbar.)
MascotWindow::MascotWindow(MascotWindowHandler* handler)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                           Qt::WindowDoesNotAcceptFocus),
      handler_(handler),
      view_(std::make_unique<View>(*this)) {
  setUp();
}

MascotWindow::MascotWindow(MascotWindowHandler* handler, QWidget* owner)
    : QWidget(owner, Qt::FramelessWindowHint | Qt::Tool | Qt::WindowDoesNotAcceptFocus),
      handler_(handler),
      view_(std::make_unique<View>(*this)),
      draggable_(false) {
  setUp();
}

void MascotWindow::setUp() {
  setWindowTitle(QString::fromUtf8(kTitle));
  setAttribute(Qt::WA_ShowWithoutActivating);
  // Every paint covers the whole window: no background erase.
  setAttribute(Qt::WA_OpaquePaintEvent);
  setAttribute(Qt::WA_NoSystemBackground);
  setFocusPolicy(Qt::NoFocus);
  setGeometry(kInitialX, kInitialY, kDefaultSide, kDefaultSide);
}

MascotWindow::~MascotWindow() = default;

MascotView& MascotWindow::view() { return *view_; }

void MascotWindow::setDocument(std::shared_ptr<MascotDocument> document) {
  document_ = std::move(document);
}

QSize MascotWindow::SizeFor(const MascotDocument* document) {
  if (document == nullptr || !document->hasFrames()) return {kDefaultSide, kDefaultSide};
  // Frames whose pictures all failed have no size: the window shows nothing
  // rather than an empty square on the target.
  const FrameSize size = document->maxFrameSize();
  return {size.width, size.height};
}

void MascotWindow::installDocumentShape() {
  if (!document_) return;
  document_->applyFrameRegion(view_.get(), false);
  const QSize size = SizeFor(document_.get());
  if (size.isEmpty()) setMask(NothingVisible());
  if (this->size() != size) resize(size);
}

void MascotWindow::clearShape() { clearMask(); }

bool MascotWindow::applyShape(const Region& shape) {
  const QRegion mask = shape.isEmpty() ? NothingVisible() : RegionToQRegion(shape);
  if (this->mask() != mask) setMask(mask);
  return true;
}

void MascotWindow::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  if (document_ && document_->hasFrames()) {
    drawFrame(painter);
  } else {
    painter.fillRect(rect(), Qt::black);
  }
}

void MascotWindow::drawFrame(QPainter& painter) {
  MascotDocument& document = *document_;
  if (!document.isActive() || !document.frameInRange(document.currentFrame)) return;
  const std::int32_t imageIndex = document.frameAt(document.currentFrame).imageIndex;
  if (!document.imageInRange(imageIndex)) return;
  const FrameImage& image = document.images[static_cast<std::size_t>(imageIndex)];
  document.finishFrameRegion(view_.get());
  const QImage& picture = images_.imageFor(image.bitmap);
  if (picture.isNull()) return;
  // On a scaled screen each picture pixel becomes a block of device pixels,
  // as the shape's pixels do: nearest neighbour, never a blur.
  painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
  painter.drawImage(QPoint(0, 0), picture);
}

void MascotWindow::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) {
    QWidget::mousePressEvent(event);
    return;
  }
  // The second press of a double click neither restarts the click
  // animation nor starts a drag.
  if (event->flags() & Qt::MouseEventCreatedDoubleClick) return;
  if (handler_) {
    handler_->mascotPressed();
    handler_->bringTargetForward();
  }
  if (!draggable_) return;
  pressGlobal_ = event->globalPosition().toPoint();
  pressWindow_ = pos();
  setDragging(true);
}

void MascotWindow::mouseMoveEvent(QMouseEvent* event) {
  if (!dragging_ || !(event->buttons() & Qt::LeftButton)) return;
  const QPoint wanted = pressWindow_ + (event->globalPosition().toPoint() - pressGlobal_);
  const QPoint position = constrained(wanted);
  if (position != pos()) move(position);
}

void MascotWindow::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && dragging_) {
    exitMove();
    return;
  }
  QWidget::mouseReleaseEvent(event);
}

// (The default would take it for a press.)
void MascotWindow::mouseDoubleClickEvent(QMouseEvent* event) { event->accept(); }

void MascotWindow::contextMenuEvent(QContextMenuEvent* event) {
  if (handler_) handler_->contextMenuRequested(event->globalPos());
  event->accept();
}

void MascotWindow::moveEvent(QMoveEvent* event) {
  QWidget::moveEvent(event);
  if (handler_) handler_->windowMoved();
}

QPoint MascotWindow::constrained(QPoint position) {
  if (!handler_) return position;
  if (const std::optional<int> top = handler_->dragTop(height())) position.setY(*top);
  return position;
}

void MascotWindow::exitMove() {
  exitMovePosted_ = false;
  const QPoint position = constrained(pos());
  if (position != pos()) move(position);
  if (handler_) handler_->bringTargetForward();
  setDragging(false);
}

void MascotWindow::setDragging(bool dragging) {
  if (dragging_ == dragging) return;
  dragging_ = dragging;
  if (handler_) handler_->draggingChanged(dragging);
}

bool MascotWindow::event(QEvent* event) {
  const bool handled = QWidget::event(event);
  // A release that never reached the window (the grab was lost) still ends
  // the drag, at the next event the window does not handle itself.
  if (dragging_ && !exitMovePosted_) {
    switch (event->type()) {
      case QEvent::MouseButtonPress:
      case QEvent::MouseButtonRelease:
      case QEvent::MouseMove:
      case QEvent::MouseButtonDblClick:
        break;
      default:
        if (!(QGuiApplication::mouseButtons() & Qt::LeftButton)) {
          exitMovePosted_ = true;
          QMetaObject::invokeMethod(this, [this] { if (exitMovePosted_) exitMove(); }, Qt::QueuedConnection);
          setDragging(false);
        }
    }
  }
  return handled;
}

}  // namespace mascot
