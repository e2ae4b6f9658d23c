#include "editing/frame_list_model.h"

#include <algorithm>
#include <utility>

#include "editing/frame_row_colours.h"

namespace mascot {
namespace {

template <typename Value>
void Take(Value& field, Value value, std::uint8_t& modified) {
  if (field == value) return;
  field = value;
  modified = 1;
}

}  // namespace

const FrameRow* FrameListModel::row(std::int32_t index) const {
  if (index < 0 || index >= count()) return nullptr;
  return &rows_[static_cast<std::size_t>(index)];
}

FrameRow* FrameListModel::mutableRow(std::int32_t index) {
  return const_cast<FrameRow*>(std::as_const(*this).row(index));
}

std::int32_t FrameListModel::selection() const {
  const auto found = std::find_if(rows_.begin(), rows_.end(), [](const FrameRow& r) { return r.selected; });
  return found == rows_.end() ? -1 : static_cast<std::int32_t>(found - rows_.begin());
}

FrameRecord FrameListModel::frameOf(std::int32_t index) const {
  const FrameRow* r = row(index);
  if (!r) return {};
  FrameRecord frame = r->frame;
  frame.fileName = r->path;
  return frame;
}

void FrameListModel::takeBackup() {
  backup_ = rows_;
  backupValid_ = true;
}

void FrameListModel::renumber(std::size_t from) {
  for (std::size_t i = from; i < rows_.size(); ++i) rows_[i].index = static_cast<std::int32_t>(i);
}

std::int32_t FrameListModel::insert() {
  const std::int32_t selected = selection();
  const bool appending = selected == -1;
  const std::int32_t at = appending ? count() : selected;
  takeBackup();
  if (!appending) {
    for (FrameRow& r : rows_)
      if (r.frame.jumpFrame >= at) ++r.frame.jumpFrame;
  }
  FrameRow added;
  added.index = at;
  rows_.insert(rows_.begin() + at, std::move(added));
  renumber(static_cast<std::size_t>(at) + 1);
  return at;
}

std::int32_t FrameListModel::removeSelected() {
  const std::int32_t selected = selection();
  takeBackup();
  if (selected < 0 || selected >= count()) return selected;
  rows_.erase(rows_.begin() + selected);
  for (FrameRow& r : rows_)
    if (r.frame.jumpFrame > selected) --r.frame.jumpFrame;
  renumber(static_cast<std::size_t>(selected));
  return selected;
}

void FrameListModel::attach(const std::vector<FrameRecord>& frames) {
  // Thousands of frames: no backup per row, only one pass.
  rows_.clear();
  rows_.reserve(frames.size());
  for (const FrameRecord& frame : frames) {
    FrameRow r;
    r.index = static_cast<std::int32_t>(rows_.size());
    r.path = frame.fileName;
    r.frame = frame;
    rows_.push_back(std::move(r));
  }
  backup_.clear();
  backupValid_ = false;
}

void FrameListModel::writeBack(std::vector<FrameRecord>& frames) const {
  std::vector<FrameRecord> old = std::move(frames);
  frames.clear();
  frames.reserve(rows_.size());
  for (std::size_t i = 0; i < rows_.size(); ++i) {
    const FrameRow& r = rows_[i];
    FrameRecord frame = i < old.size() ? old[i] : r.frame;
    frame.fileName = r.path;
    frame.minFrameDelay = r.frame.minFrameDelay;
    frame.maxFrameDelay = r.frame.maxFrameDelay;
    frame.jumpFrame = r.frame.jumpFrame;
    frame.minLoopCount = r.frame.minLoopCount;
    frame.maxLoopCount = r.frame.maxLoopCount;
    frames.push_back(std::move(frame));
  }
  // Frames that moved keep the flags of the place they moved to; the flag
  // on the first one still tells the document that something changed.
  if (frames.size() != old.size() && !frames.empty()) frames.front().modified = 1;
}

std::int32_t FrameListModel::setSelected(std::int32_t index, bool checked) {
  for (FrameRow& r : rows_) r.selected = false;
  FrameRow* r = mutableRow(index);
  if (!r || !checked) return -1;
  r->selected = true;
  return index;
}

void FrameListModel::flushRow(std::int32_t index, const RowFieldValues& values) {
  FrameRow* r = mutableRow(index);
  if (!r) return;
  FrameRecord& f = r->frame;
  Take(f.fileName, r->path, f.modified);
  Take(f.minFrameDelay, values.minFrameDelay, f.modified);
  Take(f.maxFrameDelay, values.maxFrameDelay, f.modified);
  Take(f.jumpFrame, values.nextPosition - 1, f.modified);
  Take(f.minLoopCount, values.minLoopCount, f.modified);
  Take(f.maxLoopCount, values.maxLoopCount, f.modified);
}

void FrameListModel::setPath(std::int32_t index, std::string path) {
  if (FrameRow* r = mutableRow(index)) r->path = std::move(path);
}

void FrameListModel::setClickRange(std::int32_t first, std::int32_t last) { ColourRows(rows_, first, last); }

void FrameListModel::swapWithBackup() {
  if (backupValid_) rows_.swap(backup_);
  for (FrameRow& r : rows_) r.selected = false;
}

}  // namespace mascot
