#include "editing/preferences_form.h"

#include <cctype>

namespace mascot {

PreferencesEnabling EnablingFor(std::uint32_t selectionMode, std::uint32_t changeMode) {
  const bool daily = selectionMode == kSelectEachDayOfWeek;
  return {!daily, !daily && changeMode == kChangePeriodically};
}

std::string_view RightListTitle(std::uint32_t selectionMode) {
  return selectionMode == kSelectEachDayOfWeek ? kDailyListTitle : kSelectedListTitle;
}

std::uint32_t ShownChangeMode(std::uint32_t changeMode) {
  return changeMode == kChangePeriodically ? kChangePeriodically : kChangeOnStart;
}

std::uint32_t ReadChangeMinutes(std::string_view text) {
  text = text.substr(0, kMinutesTextLimit);
  std::size_t at = 0;
  while (at < text.size() && std::isspace(static_cast<unsigned char>(text[at]))) ++at;
  const bool negative = at < text.size() && text[at] == '-';
  if (at < text.size() && (text[at] == '-' || text[at] == '+')) ++at;
  // Counting stops past the upper limit, so no length of digits overflows.
  std::uint32_t value = 0;
  for (; at < text.size() && std::isdigit(static_cast<unsigned char>(text[at])); ++at) {
    value = value * 10 + static_cast<std::uint32_t>(text[at] - '0');
    if (value > kMaxChangeMinutes) return negative ? kMinChangeMinutes : kMaxChangeMinutes;
  }
  if (negative || value < 2) return kMinChangeMinutes;
  return value;
}

void ApplyPreferencesChoice(const PreferencesChoice& choice, MascotPreferences& preferences) {
  preferences.SelectionMode = choice.selectionMode;
  preferences.ChangeMode = choice.changeMode;
  preferences.ChangePeriod = choice.minutes == 0 ? kMinChangeMinutes : choice.minutes;
  preferences.HideIfTargetAtTop = choice.hideIfTargetAtTop ? 1 : 0;
  preferences.startAtLogin = choice.startAtLogin;
}

}  // namespace mascot
