#pragma once
#include <cstddef>
#include <string>

#include "host/tray_kind.h"

class QMenu;
class QObject;

namespace mascot {

// Which parts of the record an icon call carries.
inline constexpr unsigned kTrayMessageFlag = 1;  // mouse actions go to window as callbackMessage
inline constexpr unsigned kTrayIconFlag = 2;
inline constexpr unsigned kTrayTipFlag = 4;

// The tooltip field holds this many bytes with its terminator.
inline constexpr std::size_t kTrayTipCapacity = 128;

// Everything the tray host is told about the icon.
struct TrayIconRecord {
  QObject* window = nullptr;  // receives the mouse actions
  int id = 0;
  unsigned flags = 0;
  int callbackMessage = 0;
  int icon = 0;     // resource number of the picture; 0 while none is shown
  std::string tip;  // UTF-8, shorter than kTrayTipCapacity
};

// The desktop's notification area: one call per action on the icon.
class TrayPlatformIcon {
 public:
  virtual ~TrayPlatformIcon() = default;
  virtual bool add(const TrayIconRecord& record) = 0;
  virtual bool modify(const TrayIconRecord& record) = 0;
  virtual bool remove(const TrayIconRecord& record) = 0;

  virtual TrayKind kind() const = 0;
  // For a tray that shows the menu itself (kActivations): the menu it shows,
  // given once; it must outlive this object.
  virtual void setMenu(QMenu& menu) = 0;
};

}  // namespace mascot
