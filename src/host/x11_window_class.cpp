#include "host/x11_window_class.h"

#include <xcb/xcb.h>

#include <QCoreApplication>
#include <QGuiApplication>
#include <QWidget>
#include <string>

namespace mascot {

void SetX11WindowClass(QWidget* widget, const char* className) {
  auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
  auto* x11 = app != nullptr ? app->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  if (widget == nullptr || x11 == nullptr || x11->connection() == nullptr) return;
  // The toolkit gives every window the program's class; the instance part
  // stays the program's name.
  std::string value = QCoreApplication::applicationName().toStdString();
  value.push_back('\0');
  value += className;
  value.push_back('\0');
  const auto window = static_cast<xcb_window_t>(widget->winId());
  xcb_change_property(x11->connection(), XCB_PROP_MODE_REPLACE, window, XCB_ATOM_WM_CLASS, XCB_ATOM_STRING, 8,
                      static_cast<std::uint32_t>(value.size()), value.data());
  xcb_flush(x11->connection());
}

}  // namespace mascot
