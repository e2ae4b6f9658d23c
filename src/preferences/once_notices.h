#pragma once
#include <string_view>

namespace mascot {

// Notices the program gives once per user, not on every start: each is
// recorded under its key in the settings file's "Notices" section.
bool NoticeGiven(std::string_view settingsPath, std::string_view key);
// Keeps every other setting of the file. False when it could not be written
// (the notice then comes again at the next start).
bool RecordNoticeGiven(std::string_view settingsPath, std::string_view key, std::string_view title);

// The program started in a Wayland session (and runs on XWayland): from the
// session type, or failing that from a Wayland display being named.
bool IsWaylandSession(std::string_view sessionType, std::string_view waylandDisplay);

}  // namespace mascot
