#pragma once
#include <QPointer>
#include <QWidget>

#include "tracking/mascot_placement.h"

namespace mascot {

// Places a top-level widget for the tracker. The widget is made frameless
// and stays on top (Qt::FramelessWindowHint, Qt::WindowStaysOnTopHint) by
// its owner; placing it again where it already is does nothing, so a poll
// that finds nothing new causes no repaint.
class WidgetPlacement final : public MascotPlacement {
 public:
  explicit WidgetPlacement(QWidget* widget);

  WindowId windowId() const override;
  int width() const override;
  int height() const override;
  void hide() override;
  void showAt(const Rect& rect) override;

 private:
  QPointer<QWidget> widget_;
};

}  // namespace mascot
