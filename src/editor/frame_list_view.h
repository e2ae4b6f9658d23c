#pragma once
#include <QWidget>

#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

#include "editing/frame_list_model.h"
#include "editing/frame_list_scroll.h"
#include "model/mascot_document.h"

class QScrollBar;

namespace mascot {

class FrameRowDialog;

// The editor's frame list (control 1024): one row window per frame that
// fits into its height, reused while scrolling, over the list's own copy of
// the frames. Every change of a row reaches the parent as frameChanged.
class FrameListView : public QWidget {
  Q_OBJECT

 public:
  explicit FrameListView(QWidget* parent = nullptr);
  ~FrameListView() override;

  std::int32_t addFrame();      // index of the new frame, -1 when no row could be made
  std::int32_t removeFrame();   // index removed, -1 when none selected
  void setFrames(const std::vector<FrameRecord>& frames);
  void getFrames(std::vector<FrameRecord>& frames);
  std::int32_t count() const;
  std::int32_t selection() const;
  void showCurrent(std::int32_t frame);
  void showClicked(std::int32_t frame);
  void setClickRange(std::int32_t first, std::int32_t last);
  void undo();
  void resetUndo();
  // Asked for the previewed document's current frame (after scrolling).
  void setCurrentFrameQuery(std::function<std::int32_t()> query);

  // The left and right edge, in the list's coordinates, of the row control
  // with that number as every row window lays it out: the editor's column
  // headings stand over these. (0, 0) for a number no row control has.
  std::pair<int, int> columnSpan(int controlId) const;

 signals:
  void selectionChanged(std::int32_t index);
  // record is null when the index is out of range; valid only during the call
  void frameChanged(std::int32_t index, const mascot::FrameRecord* record);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  FrameRowDialog* makeRowWindow();
  int rowWidth(const QWidget& window) const;
  void placeRowWindow(QWidget* window, std::size_t k) const;
  void fitRowWindows();
  void flushVisibleRows();
  void refreshRowWindows();
  void updateScrollBar();
  void scrollTo(std::int32_t position);
  void placeMarker(std::int32_t frame);
  void notifyFrameChanged(std::int32_t index);
  ScrollSettings scrollSettings() const;

  void rowNumberToggled(FrameRowDialog* row, bool checked);
  void rowFileNameEdited(FrameRowDialog* row);
  void rowBrowse(FrameRowDialog* row);
  void rowFieldsEdited(FrameRowDialog* row);

  FrameListModel model_;
  QWidget* rowArea_;
  QScrollBar* scrollBar_;
  QWidget* marker_;
  std::vector<FrameRowDialog*> rowWindows_;  // window k shows row firstVisible_ + k
  std::int32_t firstVisible_ = 0;
  std::int32_t rowHeight_ = 0;               // known once the first row window exists
  std::int32_t slots_ = 0;
  std::function<std::int32_t()> currentFrameQuery_;
};

}  // namespace mascot
