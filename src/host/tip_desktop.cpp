#include "host/tip_desktop.h"

#include <QCursor>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QScreen>
#include <QUrl>

namespace mascot {

QPoint TipDesktop::pointerPosition() const { return QCursor::pos(); }

Qt::MouseButtons TipDesktop::pointerButtons() const { return QGuiApplication::mouseButtons(); }

QRect TipDesktop::workAreaAt(QPoint point) const {
  QScreen* screen = QGuiApplication::screenAt(point);
  if (screen == nullptr) screen = QGuiApplication::primaryScreen();
  return screen != nullptr ? screen->availableGeometry() : QRect();
}

bool TipDesktop::openUrl(const QString& url) { return QDesktopServices::openUrl(QUrl(url)); }

}  // namespace mascot
