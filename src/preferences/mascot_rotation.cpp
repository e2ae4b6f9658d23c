#include "model/random_source.h"
#include "preferences/mascot_preferences.h"
#include "preferences/rotation_clock.h"

namespace mascot {

std::string MascotPreferences::nextMascotName(RandomSource& random, const RotationClock& clock) {
  if (SelectionMode == kSelectRandom) {
    if (SelectedList.empty()) return firstInstalled();
    return nextRandom(random);
  }
  if (SelectionMode == kSelectInOrder) {
    if (SelectedList.empty()) return firstInstalled();
    return nextInOrder();
  }
  // Every other value, including ones only a hand-edited file holds, goes
  // by the day of the week.
  if (DayOfWeekList.empty()) return firstInstalled();
  return nextForDay(clock.dayOfWeek());
}

std::string MascotPreferences::nextMascotName() {
  return nextMascotName(RandomSource::instance(), SystemRotationClock());
}

std::string MascotPreferences::nextRandom(RandomSource& random) {
  const auto n = static_cast<std::uint32_t>(SelectedList.size());
  std::int32_t index = 0;
  // The mascot on show is not picked again while there is another. The
  // generator's full period makes every index come up, so this ends.
  if (n > 1) {
    do {
      index = static_cast<std::int32_t>(random.below(n));
    } while (index == CurrentSelection);
  }
  CurrentSelection = index;
  return SelectedList[static_cast<std::size_t>(index)];
}

std::string MascotPreferences::nextInOrder() {
  const auto n = static_cast<std::int32_t>(SelectedList.size());
  if (CurrentSelection < 0 || CurrentSelection >= n) CurrentSelection = 0;
  std::string name = SelectedList[static_cast<std::size_t>(CurrentSelection)];
  // Saved, so the next start continues from here.
  ++CurrentSelection;
  modified = 1;
  return name;
}

std::string MascotPreferences::nextForDay(int day) {
  if (day == CurrentSelection) return {};
  CurrentSelection = day % static_cast<std::int32_t>(DayOfWeekList.size());
  return DayOfWeekList[static_cast<std::size_t>(CurrentSelection)];
}

std::string MascotPreferences::firstInstalled() const {
  return installed.empty() ? std::string() : installed.front();
}

}  // namespace mascot
