#include "host/qt_tray_platform_icon.h"

#include <QApplication>
#include <QMenu>
#include <QStyle>

#include "dialogs/program_pictures.h"
#include "host/tray_events.h"
#include "host/tray_host_watcher.h"

namespace mascot {
namespace {

QIcon TrayPicture(int id) {
  QIcon icon = ProgramIcon(id);
  // An empty icon would not show at all, and the menu with it.
  if (icon.isNull() && qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr)
    icon = QApplication::style()->standardIcon(QStyle::SP_ComputerIcon);
  return icon;
}

int MouseMessage(QSystemTrayIcon::ActivationReason reason) {
  switch (reason) {
    case QSystemTrayIcon::Trigger: return kTrayLeftButtonUp;
    case QSystemTrayIcon::DoubleClick: return kTrayLeftDoubleClick;
    case QSystemTrayIcon::Context: return kTrayRightButtonUp;
    case QSystemTrayIcon::MiddleClick: return kTrayMiddleButtonUp;
    default: return 0;
  }
}

}  // namespace

QtTrayPlatformIcon::QtTrayPlatformIcon() {
  WatchTrayHost();
  QObject::connect(&icon_, &QSystemTrayIcon::activated, &icon_,
                   [this](QSystemTrayIcon::ActivationReason reason) { report(reason); });
}

bool QtTrayPlatformIcon::add(const TrayIconRecord& record) {
  // An add registers anew with the tray host, which may be a new one.
  icon_.hide();
  take(record);
  icon_.show();
  return true;
}

void QtTrayPlatformIcon::setMenu(QMenu& menu) {
  // The X11 tray would open it at every right press, besides the program's own.
  if (kind_ == TrayKind::kActivations) icon_.setContextMenu(&menu);
}

bool QtTrayPlatformIcon::modify(const TrayIconRecord& record) {
  if (!icon_.isVisible()) return false;
  take(record);
  return true;
}

bool QtTrayPlatformIcon::remove(const TrayIconRecord&) {
  const bool shown = icon_.isVisible();
  icon_.hide();
  return shown;
}

void QtTrayPlatformIcon::take(const TrayIconRecord& record) {
  if ((record.flags & kTrayIconFlag) != 0 && record.icon != picture_) {
    icon_.setIcon(TrayPicture(record.icon));
    picture_ = record.icon;
  }
  const QString tip = (record.flags & kTrayTipFlag) != 0 ? QString::fromStdString(record.tip) : QString();
  if (icon_.toolTip() != tip) icon_.setToolTip(tip);
  reports_ = (record.flags & kTrayMessageFlag) != 0;
  window_ = record.window;
  id_ = record.id;
  callbackMessage_ = record.callbackMessage;
}

void QtTrayPlatformIcon::report(QSystemTrayIcon::ActivationReason reason) {
  const int message = MouseMessage(reason);
  if (!reports_ || window_ == nullptr || message == 0) return;
  if (TrayCallbackEvent::TypeFor(callbackMessage_) == QEvent::None) return;
  QCoreApplication::postEvent(window_, new TrayCallbackEvent(callbackMessage_, id_, message));
}

}  // namespace mascot
