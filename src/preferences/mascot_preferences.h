#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace mascot {

class RandomSource;
class RotationClock;

// How the next mascot is chosen (SelectionMode).
enum SelectionModeValue : std::uint32_t {
  kSelectRandom = 1,
  kSelectInOrder = 2,
  kSelectEachDayOfWeek = 3,
};

// When the mascot changes (ChangeMode).
enum ChangeModeValue : std::uint32_t {
  kChangeOnStart = 1,
  kChangePeriodically = 2,
};

// The viewer's preferences: which installed mascots take part in the
// rotation, how and when the next one is chosen, kept in "mascot.ini".
// Copying copies every field in order, the three lists included.
class MascotPreferences {
 public:
  static constexpr std::size_t kMaxDayOfWeekNames = 7;
  static constexpr std::uint32_t kDayCheckPeriodMs = 1000;
  static constexpr std::uint32_t kMsPerMinute = 60000;

  std::uint8_t modified = 0;             // must be written back to the settings file
  std::int32_t CurrentSelection = 0;     // rotation position; meaning depends on SelectionMode
  std::uint8_t HideIfTargetAtTop = 0;
  std::uint8_t suppressSplash = 0;       // never stored
  std::uint32_t SelectionMode = kSelectRandom;
  std::uint32_t ChangeMode = kChangeOnStart;
  std::uint32_t ChangePeriod = 60;       // minutes
  std::vector<std::string> SelectedList;   // Random and In Order, in order
  std::vector<std::string> DayOfWeekList;  // entry 0 is Sunday; at most 7
  std::vector<std::string> installed;      // file names of the installed mascots; never stored
  bool startAtLogin = false;               // the login start entry exists; never stored

  // Reads the settings file. When it cannot be opened, false, with the lists
  // emptied and the other fields kept.
  bool load(std::string_view path);
  // Writes the settings, keeping whatever else the file holds. The title goes
  // into the file's header comment. A failure leaves modified set.
  bool save(std::string_view path, std::string_view title);

  // Compares what the user chooses: modified, CurrentSelection, installed and
  // startAtLogin (kept by the desktop, not in the file) are not compared.
  bool equals(const MascotPreferences& other) const;
  void copy(const MascotPreferences& other) { *this = other; }
  void setModified(bool value) { modified = value ? 1 : 0; }
  bool isModified() const { return modified != 0; }

  // Period of the change timer in milliseconds; 0 means no timer.
  std::uint32_t changePeriod() const;

  // The file name of the mascot to show next; empty means no change.
  std::string nextMascotName(RandomSource& random, const RotationClock& clock);
  // The same with the process-wide generator and the system clock.
  std::string nextMascotName();

 private:
  std::string nextRandom(RandomSource& random);
  std::string nextInOrder();
  std::string nextForDay(int day);
  std::string firstInstalled() const;
};

}  // namespace mascot
