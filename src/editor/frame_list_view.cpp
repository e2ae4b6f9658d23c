#include "editor/frame_list_view.h"

#include <QContextMenuEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QScrollBar>
#include <QSignalBlocker>

#include <algorithm>

#include "dialogs/control_ids.h"
#include "dialogs/help_requests.h"
#include "dialogs/message_box.h"
#include "editing/frame_image_check.h"
#include "editing/frame_row_rules.h"
#include "editor/frame_row_dialog.h"
#include "editor/image_browse_dialog.h"

namespace mascot {
namespace {

constexpr QSize kMarkerSize(5, 12);
const QColor kMarkerColour(0, 255, 0);

}  // namespace

FrameListView::FrameListView(QWidget* parent) : QWidget(parent) {
  auto* border = new QFrame(this);
  border->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
  auto* outer = new QHBoxLayout(this);
  outer->setContentsMargins(0, 0, 0, 0);
  outer->addWidget(border);

  rowArea_ = new QWidget(border);
  scrollBar_ = new QScrollBar(Qt::Vertical, border);
  auto* inner = new QHBoxLayout(border);
  inner->setContentsMargins(border->frameWidth(), border->frameWidth(), border->frameWidth(), border->frameWidth());
  inner->setSpacing(0);
  inner->addWidget(rowArea_, 1);
  inner->addWidget(scrollBar_);
  rowArea_->installEventFilter(this);

  // "Mascot Marker Window": shows the frame the preview is at.
  marker_ = new QWidget(rowArea_);
  marker_->setObjectName(QStringLiteral("currentFrameMarker"));
  marker_->setAutoFillBackground(true);
  QPalette green = marker_->palette();
  green.setColor(QPalette::Window, kMarkerColour);
  marker_->setPalette(green);
  marker_->resize(kMarkerSize);
  marker_->hide();

  updateScrollBar();
  connect(scrollBar_, &QScrollBar::valueChanged, this, [this](int position) {
    if (position != firstVisible_) scrollTo(position);
  });
}

FrameListView::~FrameListView() = default;

// -- the control's operations --

std::int32_t FrameListView::addFrame() {
  flushVisibleRows();
  const std::int32_t at = model_.insert();
  fitRowWindows();
  if (rowWindows_.empty()) return -1;
  refreshRowWindows();
  updateScrollBar();
  scrollTo(at + 1 < count() ? scrollBar_->value() : BottomPosition(scrollSettings()));
  notifyFrameChanged(0);
  return at;
}

std::int32_t FrameListView::removeFrame() {
  flushVisibleRows();
  const std::int32_t before = count();
  const std::int32_t removed = model_.removeSelected();
  if (removed < 0 || removed >= before) return removed;
  refreshRowWindows();
  updateScrollBar();
  scrollTo(scrollBar_->value());
  notifyFrameChanged(0);
  return removed;
}

void FrameListView::setFrames(const std::vector<FrameRecord>& frames) {
  marker_->hide();
  model_.attach(frames);
  firstVisible_ = 0;
  fitRowWindows();
  updateScrollBar();
  {
    const QSignalBlocker quiet(scrollBar_);
    scrollBar_->setValue(0);
  }
  refreshRowWindows();
  placeMarker(0);
}

void FrameListView::getFrames(std::vector<FrameRecord>& frames) {
  flushVisibleRows();
  model_.writeBack(frames);
}

std::int32_t FrameListView::count() const { return model_.count(); }
std::int32_t FrameListView::selection() const { return model_.selection(); }
void FrameListView::showCurrent(std::int32_t frame) { placeMarker(frame); }
void FrameListView::showClicked(std::int32_t frame) { placeMarker(frame); }

void FrameListView::setClickRange(std::int32_t first, std::int32_t last) {
  model_.setClickRange(first, last);
  for (FrameRowDialog* window : rowWindows_)
    if (const FrameRow* row = model_.row(window->rowIndex())) window->setColour(row->colour);
}

void FrameListView::undo() {
  flushVisibleRows();
  model_.swapWithBackup();
  fitRowWindows();
  refreshRowWindows();
  updateScrollBar();
  scrollTo(scrollBar_->value());
}

void FrameListView::resetUndo() { model_.invalidateBackup(); }

void FrameListView::setCurrentFrameQuery(std::function<std::int32_t()> query) {
  currentFrameQuery_ = std::move(query);
}

std::pair<int, int> FrameListView::columnSpan(int controlId) const {
  // A row window that is never shown, laid out at the width the rows get.
  FrameRowDialog probe;
  probe.resize(rowWidth(probe), probe.sizeHint().height());
  if (probe.layout()) probe.layout()->activate();
  const QWidget* control = FindControl(&probe, controlId);
  if (!control) return {0, 0};
  const int left = control->mapTo(&probe, QPoint(0, 0)).x() + rowArea_->mapTo(this, QPoint(0, 0)).x();
  return {left, left + control->width()};
}

// -- row windows --

FrameRowDialog* FrameListView::makeRowWindow() {
  auto* window = new FrameRowDialog(rowArea_);
  window->setAutoFillBackground(false);
  if (rowHeight_ == 0) {
    rowHeight_ = std::max(1, window->sizeHint().height());
    slots_ = VisibleSlots(rowArea_->height(), rowHeight_);
  }
  placeRowWindow(window, rowWindows_.size());
  connect(window, &FrameRowDialog::numberToggled, this, [this, window](bool on) { rowNumberToggled(window, on); });
  connect(window, &FrameRowDialog::fileNameEdited, this, [this, window] { rowFileNameEdited(window); });
  connect(window, &FrameRowDialog::browseClicked, this, [this, window] { rowBrowse(window); });
  connect(window, &FrameRowDialog::fieldsEdited, this, [this, window] { rowFieldsEdited(window); });
  EnableContextHelp(window);
  rowWindows_.push_back(window);
  return window;
}

// Rows fill the list's width, and are never narrower than their form.
int FrameListView::rowWidth(const QWidget& window) const {
  return std::max(rowArea_->width(), window.sizeHint().width());
}

// Window k shows the k-th visible row, one row height below window k - 1.
void FrameListView::placeRowWindow(QWidget* window, std::size_t k) const {
  window->setGeometry(0, static_cast<int>(k) * rowHeight_, rowWidth(*window), rowHeight_);
}

// As many windows as rows, up to the slots that fit; the rest go.
void FrameListView::fitRowWindows() {
  if (rowWindows_.empty() && count() > 0) makeRowWindow();
  const auto wanted = static_cast<std::size_t>(std::min(count(), slots_));
  while (rowWindows_.size() < wanted) makeRowWindow();
  while (rowWindows_.size() > static_cast<std::size_t>(std::max(slots_, 1))) {
    delete rowWindows_.back();
    rowWindows_.pop_back();
  }
}

// The windows' fields into their rows, before anything changes the rows.
void FrameListView::flushVisibleRows() {
  for (FrameRowDialog* window : rowWindows_)
    if (!window->isHidden() && model_.row(window->rowIndex())) model_.flushRow(window->rowIndex(), window->fieldValues());
}

void FrameListView::refreshRowWindows() {
  for (std::size_t k = 0; k < rowWindows_.size(); ++k) {
    FrameRowDialog* window = rowWindows_[k];
    const FrameRow* row = model_.row(firstVisible_ + static_cast<std::int32_t>(k));
    if (!row) {
      window->hide();
      continue;
    }
    window->showRow(*row, count());
    window->show();
  }
}

// -- scrolling --

ScrollSettings FrameListView::scrollSettings() const { return ScrollSettingsFor(count(), slots_); }

void FrameListView::updateScrollBar() {
  const ScrollSettings scroll = scrollSettings();
  const QSignalBlocker quiet(scrollBar_);
  scrollBar_->setEnabled(scroll.enabled);
  scrollBar_->setRange(0, scroll.lastPosition());
  scrollBar_->setPageStep(std::max(scroll.page, 1));
  scrollBar_->setSingleStep(1);
}

void FrameListView::scrollTo(std::int32_t position) {
  flushVisibleRows();
  firstVisible_ = FirstVisibleRow(position, scrollSettings());
  {
    const QSignalBlocker quiet(scrollBar_);
    scrollBar_->setValue(firstVisible_);
  }
  refreshRowWindows();
  placeMarker(currentFrameQuery_ ? currentFrameQuery_() : -1);
}

bool FrameListView::eventFilter(QObject* watched, QEvent* event) {
  if (watched == rowArea_ && event->type() == QEvent::Resize) {
    // The slots follow the control's height; the rows its width.
    if (rowHeight_ > 0) {
      slots_ = VisibleSlots(rowArea_->height(), rowHeight_);
      fitRowWindows();
      for (std::size_t k = 0; k < rowWindows_.size(); ++k) placeRowWindow(rowWindows_[k], k);
      updateScrollBar();
      scrollTo(scrollBar_->value());
    }
  }
  return QWidget::eventFilter(watched, event);
}

void FrameListView::contextMenuEvent(QContextMenuEvent* event) { event->accept(); }

// -- the marker --

void FrameListView::placeMarker(std::int32_t frame) {
  const std::int32_t slot = frame - firstVisible_;
  if (frame < 0 || slot < 0 || slot >= static_cast<std::int32_t>(rowWindows_.size()) ||
      rowWindows_[static_cast<std::size_t>(slot)]->isHidden()) {
    marker_->hide();
    return;
  }
  const FrameRowDialog* window = rowWindows_[static_cast<std::size_t>(slot)];
  const QRect gap = window->markerGap();
  marker_->setGeometry(gap.translated(window->pos()));
  marker_->show();
  marker_->raise();
}

// -- what the rows report --

void FrameListView::notifyFrameChanged(std::int32_t index) {
  if (!model_.row(index)) {
    emit frameChanged(index, nullptr);
    return;
  }
  const FrameRecord record = model_.frameOf(index);
  emit frameChanged(index, &record);
}

void FrameListView::rowNumberToggled(FrameRowDialog* row, bool checked) {
  const std::int32_t selected = model_.setSelected(row->rowIndex(), checked);
  for (FrameRowDialog* window : rowWindows_) window->setNumberChecked(window->rowIndex() == selected);
  emit selectionChanged(selected);
}

void FrameListView::rowFileNameEdited(FrameRowDialog* row) {
  const FrameRow* record = model_.row(row->rowIndex());
  if (!record) return;
  const std::string oldPath = record->path;
  const EditedFileName edited = JoinEditedFileName(row->fileNameEdit()->text().toStdString(), oldPath);
  switch (edited.change) {
    case FileNameChange::kNone: return;
    case FileNameChange::kCleared: model_.setPath(row->rowIndex(), {}); break;
    case FileNameChange::kNewPath:
      if (const auto refusal = RefuseTypedImage(edited.path)) {
        ShowMessageBox(this, refusal->text, refusal->caption, refusal->flags);
        row->setShownFileName(oldPath);
        row->fileNameEdit()->setFocus();
        return;
      }
      model_.setPath(row->rowIndex(), edited.path);
      row->setShownFileName(edited.path);
      break;
  }
  rowFieldsEdited(row);
}

void FrameListView::rowBrowse(FrameRowDialog* row) {
  const FrameRow* record = model_.row(row->rowIndex());
  if (!record) return;
  const std::string chosen = BrowseFrameImage(this, record->path);
  if (chosen.empty()) return;
  model_.setPath(row->rowIndex(), chosen);
  row->setShownFileName(chosen);
  rowFieldsEdited(row);
}

void FrameListView::rowFieldsEdited(FrameRowDialog* row) {
  if (!model_.row(row->rowIndex())) return;
  model_.flushRow(row->rowIndex(), row->fieldValues());
  notifyFrameChanged(row->rowIndex());
}

}  // namespace mascot
