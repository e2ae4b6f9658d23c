#include "host/wayland_notice.h"

#include <QByteArray>
#include <QtGlobal>

#include "dialogs/message_box.h"
#include "preferences/once_notices.h"
#include "storage/mascot_library.h"

namespace mascot {

namespace {

constexpr char kNoticeKey[] = "WaylandSession";
constexpr char kTitle[] = "Tovra Mascot";
constexpr char kNotice[] =
    "This desktop runs a Wayland session. Tovra Mascot runs here on XWayland, and there it sees only the "
    "windows of programs that run on XWayland too: the mascot sits on those, and not on windows of programs "
    "that draw for Wayland directly.\n\n"
    "Everything else works as on an X11 desktop. This notice is not shown again.";

}  // namespace

void GiveWaylandNoticeOnce() {
  if (!IsWaylandSession(qgetenv("XDG_SESSION_TYPE").toStdString(), qgetenv("WAYLAND_DISPLAY").toStdString()))
    return;
  const std::string settings = SettingsFilePath();
  if (settings.empty() || NoticeGiven(settings, kNoticeKey)) return;
  // Recorded first: a program ended while the box shows does not ask again.
  RecordNoticeGiven(settings, kNoticeKey, kTitle);
  ShowMessageBox(nullptr, MessageText(std::string(kNotice)), kTitle, kMbOk | kMbIconInformation);
}

}  // namespace mascot
