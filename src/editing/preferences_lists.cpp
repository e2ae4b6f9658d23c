#include "editing/preferences_lists.h"

#include <algorithm>
#include <set>

#include "storage/config_syntax.h"

namespace mascot {
namespace {

// Selected rows, in list order, without repeats or rows out of range.
std::vector<int> ValidRows(std::vector<int> rows, std::size_t size) {
  std::sort(rows.begin(), rows.end());
  rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
  std::erase_if(rows, [size](int row) { return row < 0 || static_cast<std::size_t>(row) >= size; });
  return rows;
}

void RemoveRows(std::vector<std::string>& list, const std::vector<int>& sortedRows) {
  for (auto row = sortedRows.rbegin(); row != sortedRows.rend(); ++row) list.erase(list.begin() + *row);
}

}  // namespace

std::uint32_t ShownSelectionMode(std::uint32_t selectionMode) {
  return selectionMode == kSelectInOrder || selectionMode == kSelectEachDayOfWeek ? selectionMode : kSelectRandom;
}

PreferencesLists::PreferencesLists(MascotPreferences& preferences)
    : preferences_(preferences), shownMode_(ShownSelectionMode(preferences.SelectionMode)) {
  fillFromMode();
}

std::vector<std::string>& PreferencesLists::listOf(std::uint32_t mode) const {
  return mode == kSelectEachDayOfWeek ? preferences_.DayOfWeekList : preferences_.SelectedList;
}

void PreferencesLists::fillFromMode() {
  right_ = listOf(shownMode_);
  left_ = preferences_.installed;
  // Only exact matches leave the left list: the names are file names, and a
  // name that differs in case is another file.
  const std::set<std::string> chosen(right_.begin(), right_.end());
  std::erase_if(left_, [&chosen](const std::string& name) { return chosen.contains(name); });
  std::stable_sort(left_.begin(), left_.end(), NoCaseLess{});
}

void PreferencesLists::addLeft(const std::string& name) {
  left_.insert(std::upper_bound(left_.begin(), left_.end(), name, NoCaseLess{}), name);
}

bool PreferencesLists::fitsDayLimit(std::size_t added) const {
  return shownMode_ != kSelectEachDayOfWeek || right_.size() + added <= MascotPreferences::kMaxDayOfWeekNames;
}

void PreferencesLists::showMode(std::uint32_t mode) {
  mode = ShownSelectionMode(mode);
  if (mode == shownMode_) return;
  listOf(shownMode_) = right_;
  shownMode_ = mode;
  fillFromMode();
}

bool PreferencesLists::moveRight(const std::vector<int>& selectedRows) {
  const std::vector<int> rows = ValidRows(selectedRows, left_.size());
  if (!fitsDayLimit(rows.size())) return false;
  for (int row : rows) right_.push_back(left_[static_cast<std::size_t>(row)]);
  RemoveRows(left_, rows);
  return true;
}

void PreferencesLists::moveLeft(const std::vector<int>& selectedRows) {
  const std::vector<int> rows = ValidRows(selectedRows, right_.size());
  for (int row : rows) addLeft(right_[static_cast<std::size_t>(row)]);
  RemoveRows(right_, rows);
}

bool PreferencesLists::moveAllRight() {
  if (left_.empty()) return true;
  if (!fitsDayLimit(left_.size())) return false;
  right_.insert(right_.end(), left_.begin(), left_.end());
  left_.clear();
  return true;
}

void PreferencesLists::moveAllLeft() {
  right_.clear();
  left_ = preferences_.installed;
  std::stable_sort(left_.begin(), left_.end(), NoCaseLess{});
}

void PreferencesLists::store() const { listOf(shownMode_) = right_; }

}  // namespace mascot
