#include "host/widget_placement.h"

namespace mascot {

WidgetPlacement::WidgetPlacement(QWidget* widget) : widget_(widget) {
  if (widget_) widget_->setAttribute(Qt::WA_ShowWithoutActivating);
}

WindowId WidgetPlacement::windowId() const {
  return widget_ ? static_cast<WindowId>(widget_->winId()) : kNoWindow;
}

int WidgetPlacement::width() const { return widget_ ? widget_->width() : 0; }
int WidgetPlacement::height() const { return widget_ ? widget_->height() : 0; }

void WidgetPlacement::hide() {
  if (widget_ && widget_->isVisible()) widget_->hide();
}

void WidgetPlacement::showAt(const Rect& rect) {
  if (!widget_) return;
  const QRect geometry(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
  if (widget_->geometry() != geometry) widget_->setGeometry(geometry);
  if (!widget_->isVisible()) widget_->show();
  widget_->raise();
}

}  // namespace mascot
