#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "preferences/mascot_preferences.h"

// The two lists of the preferences dialog: on the left the installed mascots
// that are not chosen, always sorted; on the right the chosen ones in the
// order they were added, which is the order of the days and of In Order.
// The right list belongs to the list of the mode shown: DayOfWeekList in Each
// Day Of Week mode, SelectedList otherwise.
namespace mascot {

class PreferencesLists {
 public:
  // Fills both lists from the copy the dialog edits, whose installed names
  // the caller has filled in. The copy must outlive the lists.
  explicit PreferencesLists(MascotPreferences& preferences);

  const std::vector<std::string>& left() const { return left_; }
  const std::vector<std::string>& right() const { return right_; }
  // 1 Random, 2 In Order or 3 Each Day Of Week.
  std::uint32_t shownMode() const { return shownMode_; }

  // Another selection mode was chosen: the right list goes back into the
  // list it came from and the new mode's list takes its place. The mode on
  // show already changes nothing, so moves made since are kept.
  void showMode(std::uint32_t mode);

  // ">>" with the rows selected on the left (indices, any order); false when
  // the day-of-week limit refuses the move, and then nothing moved.
  bool moveRight(const std::vector<int>& selectedRows);
  // "<<" with the rows selected on the right.
  void moveLeft(const std::vector<int>& selectedRows);
  // "All >>"; false when refused as moveRight is.
  bool moveAllRight();
  // "<< All": the left list holds every installed mascot again.
  void moveAllLeft();

  // OK: the right list replaces the list of the mode shown; the other list
  // keeps what it held, names stored by a mode change included.
  void store() const;

 private:
  std::vector<std::string>& listOf(std::uint32_t mode) const;
  bool fitsDayLimit(std::size_t added) const;
  void fillFromMode();
  void addLeft(const std::string& name);

  MascotPreferences& preferences_;
  std::vector<std::string> left_;
  std::vector<std::string> right_;
  std::uint32_t shownMode_;
};

// The mode a radio button shows for a stored value: any value but 2 and 3
// shows Random.
std::uint32_t ShownSelectionMode(std::uint32_t selectionMode);

}  // namespace mascot
