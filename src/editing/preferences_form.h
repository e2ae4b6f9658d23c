#pragma once
#include <cstdint>
#include <string_view>

#include "editing/message_flags.h"
#include "preferences/mascot_preferences.h"

// The rules of the preferences dialog's controls apart from its lists: what
// is enabled, the right list's title, the minutes field, and what OK stores.
namespace mascot {

inline constexpr std::uint32_t kMinChangeMinutes = 1;
inline constexpr std::uint32_t kMaxChangeMinutes = 10000;
// The minutes field reads no more than this many characters.
inline constexpr std::size_t kMinutesTextLimit = 30;

inline constexpr std::string_view kSelectedListTitle = "Selected Mascots";
inline constexpr std::string_view kDailyListTitle = "Daily Mascots (first is Sunday)";

// String 110, with the error caption and the warning icon: a move that
// would give the days of the week more than seven mascots.
inline constexpr std::string_view kDayOfWeekLimitText =
    "There is a limit of 7 mascots allowed for the Days of the Week setting.";
inline constexpr std::string_view kDayOfWeekLimitCaption = "Error";
inline constexpr unsigned kDayOfWeekLimitFlags = MessageFlags::kOk | MessageFlags::kWarningIcon;

struct PreferencesEnabling {
  bool changeModes = true;  // the two "Change Mascot" radio buttons
  bool minutes = false;     // the minutes label, field and arrows
};
// A day-of-week rotation checks the day every second: when and how often
// to change does not apply to it.
PreferencesEnabling EnablingFor(std::uint32_t selectionMode, std::uint32_t changeMode);
std::string_view RightListTitle(std::uint32_t selectionMode);

// The radio button a stored ChangeMode shows: any value but 2 shows 1.
std::uint32_t ShownChangeMode(std::uint32_t changeMode);

// The minutes field at a focus loss: its decimal number, below 2 read as 1
// and above 10000 as 10000; text that is no number reads as 1.
std::uint32_t ReadChangeMinutes(std::string_view text);

// What the dialog's controls hold when OK is pressed.
struct PreferencesChoice {
  std::uint32_t selectionMode = kSelectRandom;
  std::uint32_t changeMode = kChangeOnStart;
  std::uint32_t minutes = 60;
  bool hideIfTargetAtTop = false;
  bool startAtLogin = false;
};
// Stores the choice in the copy (the lists store themselves).
void ApplyPreferencesChoice(const PreferencesChoice& choice, MascotPreferences& preferences);

}  // namespace mascot
