#include "host/widget_placement.h"

#include <xcb/xcb.h>

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <cstdint>

#include "host/x11_screen.h"

namespace mascot {

namespace {

Rect ToRect(const QRect& r) { return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()}; }

}  // namespace

DeviceScale DeviceScaleOf(const QWidget& widget) {
  const QScreen* screen = widget.screen();
  // The toolkit keeps a screen's corner where the X server has it.
  const QPoint origin = screen != nullptr ? screen->geometry().topLeft() : QPoint();
  return {widget.devicePixelRatioF(), origin.x(), origin.y()};
}

WidgetPlacement::WidgetPlacement(QWidget* widget) : widget_(widget) {
  if (!widget_) return;
  widget_->setAttribute(Qt::WA_ShowWithoutActivating);
  widget_->installEventFilter(this);
}

WindowId WidgetPlacement::windowId() const { return widget_ ? static_cast<WindowId>(widget_->winId()) : kNoWindow; }

int WidgetPlacement::width() const { return widget_ ? DeviceLength(widget_->width(), deviceRatio()) : 0; }
int WidgetPlacement::height() const { return widget_ ? DeviceLength(widget_->height(), deviceRatio()) : 0; }
double WidgetPlacement::deviceRatio() const { return widget_ ? widget_->devicePixelRatioF() : 1.0; }

void WidgetPlacement::hide() {
  if (widget_ && widget_->isVisible()) widget_->hide();
}

void WidgetPlacement::showAt(const Rect& rect) {
  if (!widget_) return;
  const Rect logical = LogicalPlacement(rect, DeviceScaleOf(*widget_));
  const QRect geometry(logical.left, logical.top, logical.right - logical.left, logical.bottom - logical.top);
  placed_ = rect;
  if (widget_->geometry() != geometry) widget_->setGeometry(geometry);
  if (!widget_->isVisible()) widget_->show();
  widget_->raise();
  keepDevicePosition(true);
}

bool WidgetPlacement::eventFilter(QObject* watched, QEvent* event) {
  if (watched == widget_ && event->type() == QEvent::Move) keepDevicePosition(false);
  return false;
}

void WidgetPlacement::keepDevicePosition(bool column) {
  if (!widget_ || !placed_ || !widget_->isVisible()) return;
  const DeviceScale scale = DeviceScaleOf(*widget_);
  const Rect logical = ToRect(widget_->geometry());
  const int height = logical.bottom - logical.top;
  // Only a window standing on the placed row keeps it: one dragged freely,
  // or resized since, is where its owner put it.
  const Rect wanted = LogicalPlacement(*placed_, scale);
  if (logical.top != LogicalTopStandingOn(placed_->bottom, height, scale)) return;
  if (height != wanted.bottom - wanted.top) return;
  const Rect shown = DeviceRect(logical, scale);
  const bool moveColumn = column && shown.left != placed_->left;
  if (shown.top == placed_->top && !moveColumn) return;
  xcb_connection_t* connection = ToolkitX11Connection();
  if (connection == nullptr) return;
  const std::uint32_t mask = moveColumn ? XCB_CONFIG_WINDOW_X | XCB_CONFIG_WINDOW_Y : XCB_CONFIG_WINDOW_Y;
  const std::uint32_t left = static_cast<std::uint32_t>(placed_->left);
  const std::uint32_t top = static_cast<std::uint32_t>(placed_->top);
  const std::uint32_t moveTop[] = {top};
  const std::uint32_t moveBoth[] = {left, top};
  xcb_configure_window(connection, static_cast<xcb_window_t>(widget_->winId()), mask, moveColumn ? moveBoth : moveTop);
  xcb_flush(connection);
}

}  // namespace mascot
