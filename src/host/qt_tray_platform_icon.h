#pragma once
#include <QPointer>
#include <QSystemTrayIcon>

#include "host/tray_platform_icon.h"

namespace mascot {

// The notification area through the toolkit's tray icon. Mouse actions on
// it are posted to the record's window as TrayCallbackEvent; a D-Bus tray's
// activation arrives as a left button up.
class QtTrayPlatformIcon final : public TrayPlatformIcon {
 public:
  QtTrayPlatformIcon();

  bool add(const TrayIconRecord& record) override;
  bool modify(const TrayIconRecord& record) override;
  bool remove(const TrayIconRecord& record) override;
  TrayKind kind() const override { return kind_; }
  void setMenu(QMenu& menu) override;

  const QSystemTrayIcon& trayIcon() const { return icon_; }

 private:
  void take(const TrayIconRecord& record);
  void report(QSystemTrayIcon::ActivationReason reason);

  // Asked before icon_ is made, as the toolkit asks when it makes it.
  const TrayKind kind_ = ToolkitTrayKind();
  QSystemTrayIcon icon_;
  int picture_ = 0;  // resource number of what icon_ shows
  QPointer<QObject> window_;
  int id_ = 0;
  int callbackMessage_ = 0;
  bool reports_ = false;
};

}  // namespace mascot
