#include "host/xwayland.h"

#include <QByteArray>
#include <QtGlobal>

namespace mascot {

void PreferXWayland() {
  if (!qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
    qputenv("QT_QPA_PLATFORM", "xcb");
}

}  // namespace mascot
