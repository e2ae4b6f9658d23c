#pragma once
#include <cstdint>
#include <vector>

#include "editing/frame_row.h"

// The frame list's rows and their one-step backup, without any window: the
// list control shows a window's worth of these and writes its fields back
// (flushes) before anything changes them.
namespace mascot {

class FrameListModel {
 public:
  const std::vector<FrameRow>& rows() const { return rows_; }
  std::int32_t count() const { return static_cast<std::int32_t>(rows_.size()); }
  // Null when the index is out of range.
  const FrameRow* row(std::int32_t index) const;
  // The selected row's index, or -1.
  std::int32_t selection() const;
  // The frame as the parent sees it: the row's values with its path.
  FrameRecord frameOf(std::int32_t index) const;

  // Inserts an empty frame before the selected row, or appends one when
  // none is selected; jumps keep pointing at the same frames. Takes the
  // backup first. Returns the new frame's index.
  std::int32_t insert();
  // Removes the selected row; a jump to it then points at the frame that
  // took its place. Takes the backup first, also when nothing is selected.
  // Returns the removed index, or the selection when there was nothing to
  // remove (-1).
  std::int32_t removeSelected();
  // One row per frame, none selected; the backup is dropped.
  void attach(const std::vector<FrameRecord>& frames);
  // The rows into `frames`, each starting from the frame that stood at its
  // index so that imageIndex and modified survive; a changed number of
  // frames marks the first one modified.
  void writeBack(std::vector<FrameRecord>& frames) const;

  // A row's number button was set to `checked`: the selection follows it
  // and no other row stays selected. Returns the new selection or -1.
  std::int32_t setSelected(std::int32_t index, bool checked);

  // Fields read from the row's window; each change marks the frame
  // modified. The path becomes the frame's file name.
  void flushRow(std::int32_t index, const RowFieldValues& values);
  void setPath(std::int32_t index, std::string path);

  void setClickRange(std::int32_t first, std::int32_t last);

  // Undo and redo: the rows and the backup trade places (when the backup
  // is valid) and no row stays selected.
  void swapWithBackup();
  void invalidateBackup() { backupValid_ = false; }
  bool backupValid() const { return backupValid_; }

 private:
  void takeBackup();
  void renumber(std::size_t from);
  FrameRow* mutableRow(std::int32_t index);

  std::vector<FrameRow> rows_;
  std::vector<FrameRow> backup_;
  bool backupValid_ = false;
};

}  // namespace mascot
