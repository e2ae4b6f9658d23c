#pragma once
#include <QObject>
#include <QPointer>
#include <QWidget>

#include <optional>

#include "tracking/device_pixels.h"
#include "tracking/mascot_placement.h"

namespace mascot {

// How the widget's logical pixels map to the X server's device pixels on the
// screen it is on.
DeviceScale DeviceScaleOf(const QWidget& widget);

// Places a top-level widget for the tracker, which measures in device
// pixels as the desktop's windows are measured. The widget is made frameless
// and stays on top (Qt::FramelessWindowHint, Qt::WindowStaysOnTopHint) by
// its owner; placing it again where it already is does nothing, so a poll
// that finds nothing new causes no repaint.
//
// On a scaled screen the toolkit puts windows on its logical grid only (every
// second device pixel at 200 %), so the window is moved to the device pixel
// the tracker asked for on the X server directly. A move by the toolkit
// along the row it rests on (a drag) keeps that row.
class WidgetPlacement final : public QObject, public MascotPlacement {
 public:
  explicit WidgetPlacement(QWidget* widget);

  WindowId windowId() const override;
  int width() const override;
  int height() const override;
  double deviceRatio() const override;
  void hide() override;
  void showAt(const Rect& rect) override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Moves the window on the X server when the toolkit left it off the row
  // (and the column, when asked) it was placed at.
  void keepDevicePosition(bool column);

  QPointer<QWidget> widget_;
  std::optional<Rect> placed_;  // the last rectangle asked for, in device pixels
};

}  // namespace mascot
