#include "host/x11_window_class.h"

#include <xcb/xcb.h>

#include <QCoreApplication>
#include <QGuiApplication>
#include <QWidget>
#include <string>

#include "host/x11_screen.h"

namespace mascot {

void SetX11WindowClass(QWidget* widget, const char* className) {
  xcb_connection_t* connection = ToolkitX11Connection();
  if (widget == nullptr || connection == nullptr) return;
  // The toolkit gives every window the program's class; the instance part
  // stays the program's name.
  std::string value = QCoreApplication::applicationName().toStdString();
  value.push_back('\0');
  value += className;
  value.push_back('\0');
  const auto window = static_cast<xcb_window_t>(widget->winId());
  xcb_change_property(connection, XCB_PROP_MODE_REPLACE, window, XCB_ATOM_WM_CLASS, XCB_ATOM_STRING, 8,
                      static_cast<std::uint32_t>(value.size()), value.data());
  xcb_flush(connection);
}

}  // namespace mascot
