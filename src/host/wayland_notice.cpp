#include "host/wayland_notice.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include "dialogs/message_box.h"
#include "host/gnome_shell_extension.h"
#include "preferences/once_notices.h"
#include "storage/mascot_library.h"

namespace mascot {

namespace {

constexpr char kNoticeKey[] = "WaylandSession";
constexpr char kExtensionNoticeKey[] = "GnomeShellExtension";
constexpr char kTitle[] = "Tovra Mascot";
constexpr char kNotice[] =
    "This desktop runs a Wayland session. Tovra Mascot runs here on XWayland, and there it sees only the "
    "windows of programs that run on XWayland too: the mascot sits on those, and not on windows of programs "
    "that draw for Wayland directly.\n\n"
    "Everything else works as on an X11 desktop. This notice is not shown again.";
constexpr char kExtensionNotice[] =
    "This desktop runs a GNOME Wayland session. To see its windows, Tovra Mascot needs its GNOME Shell "
    "extension, which it has now installed for you. GNOME Shell starts the extension after your next login.\n\n"
    "If the mascot still sits only on some windows after that, enable the extension with this command:\n\n"
    "    %s\n\n"
    "This notice is not shown again.";

}  // namespace

void GiveWaylandNoticeOnce(WindowSource source, bool compositorReports, const std::function<void()>& beforeShowing) {
  const bool wayland =
      IsWaylandSession(qgetenv("XDG_SESSION_TYPE").toStdString(), qgetenv("WAYLAND_DISPLAY").toStdString());
  const SessionNotice notice = NoticeFor(wayland, source, compositorReports);
  if (notice == SessionNotice::kNone) return;
  const bool extension = notice == SessionNotice::kGnomeShellExtension;
  const char* key = extension ? kExtensionNoticeKey : kNoticeKey;
  const std::string settings = SettingsFilePath();
  if (settings.empty() || NoticeGiven(settings, key)) return;
  // Recorded first: a program ended while the box shows does not ask again.
  RecordNoticeGiven(settings, key, kTitle);
  const std::string text = extension ? QString::asprintf(kExtensionNotice, kGnomeShellEnableCommand).toStdString()
                                     : std::string(kNotice);
  if (beforeShowing) beforeShowing();
  ShowMessageBox(nullptr, MessageText(text), kTitle, kMbOk | kMbIconInformation);
}

}  // namespace mascot
