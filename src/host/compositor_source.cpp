#include "host/compositor_source.h"

#include <QtGlobal>

#include "host/gnome_shell_extension.h"
#include "host/kwin_script.h"
#include "preferences/once_notices.h"

namespace mascot {
namespace {

// The script reports as soon as it runs; the extension as soon as it sees
// the program's name on the bus.
constexpr int kFirstReportMs = 3000;

class KWinLink final : public CompositorLink {
 public:
  bool load() { return script_.load(); }

 private:
  KWinScript script_;
};

}  // namespace

DesktopWindowSource ConnectDesktopWindowSource(X11DesktopWindows& x11) {
  DesktopWindowSource source;
  const bool wayland =
      IsWaylandSession(qgetenv("XDG_SESSION_TYPE").toStdString(), qgetenv("WAYLAND_DISPLAY").toStdString());
  source.kind = ChooseWindowSource(wayland, qgetenv("XDG_CURRENT_DESKTOP").toStdString());
  if (source.kind == WindowSource::kX11) return source;
  auto compositor = std::make_unique<CompositorDesktopWindows>(x11);
  if (!compositor->serve()) return source;
  if (source.kind == WindowSource::kKWin) {
    auto link = std::make_unique<KWinLink>();
    if (!link->load()) return source;
    compositor->setLink(std::move(link));
  } else {
    // Until the user logs in again the extension is not running; the X
    // server's windows stand in meanwhile.
    InstallGnomeShellExtension();
  }
  compositor->waitForReport(kFirstReportMs);
  source.compositor = std::move(compositor);
  return source;
}

}  // namespace mascot
