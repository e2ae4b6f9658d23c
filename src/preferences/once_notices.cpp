#include "preferences/once_notices.h"

#include "storage/config_file.h"

namespace mascot {

namespace {

constexpr char kNotices[] = "Notices";

bool EqualsNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

}  // namespace

bool NoticeGiven(std::string_view settingsPath, std::string_view key) {
  ConfigFile file;
  if (!file.Open(settingsPath, {}, true)) return false;
  return file.GetBool(kNotices, key, false);
}

bool RecordNoticeGiven(std::string_view settingsPath, std::string_view key, std::string_view title) {
  ConfigFile file;
  if (!file.Open(settingsPath, title, false)) return false;
  file.SetBool(kNotices, key, true);
  return file.Close();
}

bool IsWaylandSession(std::string_view sessionType, std::string_view waylandDisplay) {
  // A session that says what it is is believed; an X11 session may still
  // name a nested compositor's display.
  if (!sessionType.empty()) return EqualsNoCase(sessionType, "wayland");
  return !waylandDisplay.empty();
}

}  // namespace mascot
