#include "preferences/settings_store.h"

#include "storage/mascot_library.h"

namespace mascot {

bool LoadSettings(MascotPreferences& preferences) {
  std::string path = SettingsFilePath();
  return !path.empty() && preferences.load(path);
}

bool SaveSettings(MascotPreferences& preferences, std::string_view title) {
  std::string path = SettingsFilePath();
  return !path.empty() && preferences.save(path, title);
}

bool SaveSettingsIfModified(MascotPreferences& preferences, std::string_view title) {
  return !preferences.isModified() || SaveSettings(preferences, title);
}

void RefreshInstalledMascots(MascotPreferences& preferences) {
  ListInstalledMascots(preferences.installed);
}

}  // namespace mascot
