#include "preferences/mascot_preferences.h"

#include <algorithm>
#include <limits>

#include "storage/config_file.h"

namespace mascot {
namespace {

constexpr std::string_view kSettings = "Settings";
constexpr std::string_view kSelectedList = "SelectedList";
constexpr std::string_view kDayOfWeekList = "DayOfWeekList";
constexpr std::string_view kListKeyWord = "Name";

constexpr std::string_view kHideIfTargetAtTop = "HideIfTargetAtTop";
constexpr std::string_view kSelectionMode = "SelectionMode";
constexpr std::string_view kChangeMode = "ChangeMode";
constexpr std::string_view kChangePeriod = "ChangePeriod";
constexpr std::string_view kCurrentSelection = "CurrentSelection";

// The settings keep unsigned fields as the file's signed integers.
std::uint32_t GetUnsigned(const ConfigFile& file, std::string_view key, std::uint32_t present) {
  return static_cast<std::uint32_t>(file.GetInt(kSettings, key, static_cast<std::int32_t>(present)));
}

// Values in the order of the section's keys, which is the case-insensitive
// order of their text (Name1, Name10, Name2, ...), not of their numbers.
void AppendListValues(const ConfigFile& file, std::string_view section, std::size_t limit,
                      std::vector<std::string>& list) {
  const ConfigSection* found = file.GetSection(section);
  if (found == nullptr) return;
  for (const auto& [key, entry] : found->entries) {
    if (list.size() >= limit) break;
    list.push_back(entry.value);
  }
}

void WriteList(ConfigFile& file, std::string_view section, const std::vector<std::string>& list) {
  // Removing first drops keys beyond the list's new end.
  file.RemoveSection(section);
  for (std::size_t i = 0; i < list.size(); ++i)
    file.SetString(section, std::string(kListKeyWord) + std::to_string(i + 1), list[i]);
}

}  // namespace

bool MascotPreferences::load(std::string_view path) {
  SelectedList.clear();
  DayOfWeekList.clear();

  ConfigFile file;
  if (!file.Open(path, {}, true)) return false;

  HideIfTargetAtTop = file.GetBool(kSettings, kHideIfTargetAtTop, HideIfTargetAtTop != 0) ? 1 : 0;
  SelectionMode = GetUnsigned(file, kSelectionMode, SelectionMode);
  ChangeMode = GetUnsigned(file, kChangeMode, ChangeMode);
  ChangePeriod = GetUnsigned(file, kChangePeriod, ChangePeriod);
  CurrentSelection = file.GetInt(kSettings, kCurrentSelection, 0);
  // A periodic rotation does not continue from the stored position.
  if (ChangeMode != kChangeOnStart) CurrentSelection = -1;

  AppendListValues(file, kSelectedList, std::numeric_limits<std::size_t>::max(), SelectedList);
  AppendListValues(file, kDayOfWeekList, kMaxDayOfWeekNames, DayOfWeekList);
  modified = 0;
  return true;
}

bool MascotPreferences::save(std::string_view path, std::string_view title) {
  ConfigFile file;
  if (!file.Open(path, title, false)) return false;

  file.SetInt(kSettings, kSelectionMode, static_cast<std::int32_t>(SelectionMode));
  file.SetInt(kSettings, kChangeMode, static_cast<std::int32_t>(ChangeMode));
  file.SetInt(kSettings, kChangePeriod, static_cast<std::int32_t>(ChangePeriod));
  file.SetInt(kSettings, kCurrentSelection, CurrentSelection);
  file.SetBool(kSettings, kHideIfTargetAtTop, HideIfTargetAtTop != 0);
  WriteList(file, kSelectedList, SelectedList);
  WriteList(file, kDayOfWeekList, DayOfWeekList);

  bool saved = file.Close();
  modified = saved ? 0 : 1;
  return saved;
}

bool MascotPreferences::equals(const MascotPreferences& other) const {
  return SelectionMode == other.SelectionMode && ChangeMode == other.ChangeMode &&
         ChangePeriod == other.ChangePeriod && HideIfTargetAtTop == other.HideIfTargetAtTop &&
         suppressSplash == other.suppressSplash && SelectedList == other.SelectedList &&
         DayOfWeekList == other.DayOfWeekList;
}

std::uint32_t MascotPreferences::changePeriod() const {
  if (SelectionMode == kSelectEachDayOfWeek) return kDayCheckPeriodMs;
  if (ChangeMode != kChangePeriodically) return 0;
  // A period read from the file may be far beyond what the dialog allows;
  // the longest a timer can wait is what it gets.
  std::uint64_t period = std::uint64_t{ChangePeriod} * kMsPerMinute;
  return static_cast<std::uint32_t>(
      std::min<std::uint64_t>(period, std::numeric_limits<std::int32_t>::max()));
}

}  // namespace mascot
