#include "tracking/window_source.h"

#include <charconv>

namespace mascot {

WindowSource ChooseWindowSource(bool waylandSession, std::string_view currentDesktop) {
  if (!waylandSession) return WindowSource::kX11;
  while (!currentDesktop.empty()) {
    const std::size_t colon = currentDesktop.find(':');
    const std::string_view name = currentDesktop.substr(0, colon);
    if (name == "KDE") return WindowSource::kKWin;
    if (name == "GNOME") return WindowSource::kGnomeShell;
    currentDesktop.remove_prefix(colon == std::string_view::npos ? currentDesktop.size() : colon + 1);
  }
  return WindowSource::kX11;
}

bool GnomeShellLoadsExtension(std::string_view shellVersion) {
  int major = 0;
  const auto [end, error] = std::from_chars(shellVersion.data(), shellVersion.data() + shellVersion.size(), major);
  if (error != std::errc() || (end != shellVersion.data() + shellVersion.size() && *end != '.')) return true;
  return major < 45;
}

}  // namespace mascot

namespace mascot {

SessionNotice NoticeFor(bool waylandSession, WindowSource source, bool compositorReports) {
  if (!waylandSession || compositorReports) return SessionNotice::kNone;
  // KWin without the script (no session bus, scripting refused) sees what
  // any other compositor would.
  return source == WindowSource::kGnomeShell ? SessionNotice::kGnomeShellExtension
                                             : SessionNotice::kXWaylandOnly;
}

}  // namespace mascot
