#include "editor/frame_row_dialog.h"

#include <QPainter>
#include <QSignalBlocker>

#include "editing/frame_row_rules.h"
#include "editor/frame_row_spin_box.h"
#include "ui_frame_row_dialog.h"

namespace mascot {
namespace {

void SetQuietly(QSpinBox* spin, int value) {
  const QSignalBlocker quiet(spin);
  spin->setValue(value);
}

std::string TextOf(const QSpinBox* spin) { return spin->cleanText().toStdString(); }

}  // namespace

FrameRowDialog::FrameRowDialog(QWidget* parent) : QWidget(parent), ui_(std::make_unique<Ui::FrameRowForm>()) {
  ui_->setupUi(this);
  ui_->nextFrame_1097->setNextFrameField(true);
  connect(ui_->number_1025, &QPushButton::clicked, this, &FrameRowDialog::numberToggled);
  connect(ui_->browse_1019, &QPushButton::clicked, this, &FrameRowDialog::browseClicked);
  connect(ui_->fileName_1008, &QLineEdit::editingFinished, this, &FrameRowDialog::fileNameEdited);
  connectPair(ui_->minDelay_1013, ui_->maxDelay_1009);
  connectPair(ui_->minLoop_1017, ui_->maxLoop_1015);
  connectNextFrame();
}

FrameRowDialog::~FrameRowDialog() = default;

void FrameRowDialog::connectPair(FrameRowSpinBox* minimum, FrameRowSpinBox* maximum) {
  auto apply = [this, minimum, maximum](MinMaxPair pair) {
    for (auto [spin, value] : {std::pair{minimum, pair.minimum}, std::pair{maximum, pair.maximum}}) {
      SetQuietly(spin, static_cast<int>(value));
      // An empty edit reads as 0; any other number the rule gave is shown.
      if (value != 0) spin->setBlank(false);
    }
    emit fieldsEdited();
  };
  for (auto [spin, side] : {std::pair{minimum, PairSide::kMinimum}, std::pair{maximum, PairSide::kMaximum}}) {
    spin->setStepHandler([=] {
      apply(ApplyPairRule(MinMaxPair{static_cast<std::uint32_t>(minimum->value()),
                                     static_cast<std::uint32_t>(maximum->value())},
                          side));
    });
    connect(spin, &QAbstractSpinBox::editingFinished, this,
            [=] { apply(ApplyPairRule(TextOf(minimum), TextOf(maximum), side)); });
  }
}

void FrameRowDialog::connectNextFrame() {
  FrameRowSpinBox* next = ui_->nextFrame_1097;
  next->setStepHandler([this] { emit fieldsEdited(); });
  connect(next, &QAbstractSpinBox::editingFinished, this, [this, next] {
    SetQuietly(next, ReadNextFrame(next->text().toStdString(), next->maximum()));
    emit fieldsEdited();
  });
}

void FrameRowDialog::showRow(const FrameRow& row, std::int32_t frameCount) {
  rowIndex_ = row.index;
  ui_->number_1025->setText(QString::asprintf("%ld.", static_cast<long>(row.index) + 1));
  setNumberChecked(row.selected);
  setShownFileName(row.path);

  const FrameRecord& frame = row.frame;
  SetQuietly(ui_->minDelay_1013, static_cast<int>(frame.minFrameDelay));
  SetQuietly(ui_->maxDelay_1009, static_cast<int>(frame.maxFrameDelay));
  ui_->nextFrame_1097->setRange(0, frameCount);
  SetQuietly(ui_->nextFrame_1097, frame.jumpFrame + 1);
  const bool jumps = frame.jumpFrame != -1;
  for (auto [spin, count] : {std::pair{ui_->minLoop_1017, frame.minLoopCount},
                             std::pair{ui_->maxLoop_1015, frame.maxLoopCount}}) {
    SetQuietly(spin, static_cast<int>(count));
    spin->setBlank(!jumps);
  }
  setColour(row.colour);
}

RowFieldValues FrameRowDialog::fieldValues() const {
  return {ReadRowNumber(TextOf(ui_->minDelay_1013)), ReadRowNumber(TextOf(ui_->maxDelay_1009)),
          ReadNextFrame(ui_->nextFrame_1097->text().toStdString(), ui_->nextFrame_1097->maximum()),
          ReadRowNumber(TextOf(ui_->minLoop_1017)), ReadRowNumber(TextOf(ui_->maxLoop_1015))};
}

void FrameRowDialog::setColour(RowColour colour) {
  if (colour_ == colour) return;
  colour_ = colour;
  update();
}

void FrameRowDialog::setNumberChecked(bool checked) {
  const QSignalBlocker quiet(ui_->number_1025);
  ui_->number_1025->setChecked(checked);
}

void FrameRowDialog::setShownFileName(const std::string& path) {
  ui_->fileName_1008->setText(QString::fromStdString(ShownFileName(path)));
  ui_->fileName_1008->setCursorPosition(0);
}

QLineEdit* FrameRowDialog::fileNameEdit() const { return ui_->fileName_1008; }
QPushButton* FrameRowDialog::numberButton() const { return ui_->number_1025; }

QRect FrameRowDialog::markerGap() const {
  const QRect button(ui_->number_1025->mapTo(this, QPoint(0, 0)), ui_->number_1025->size());
  const int buttonRight = button.x() + button.width();
  const int editLeft = ui_->fileName_1008->mapTo(this, QPoint(0, 0)).x();
  return {buttonRight, button.y(), editLeft - 1 - buttonRight, button.height()};
}

void FrameRowDialog::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  const QColor colour = colour_ == kButtonFaceColour
                            ? palette().color(QPalette::Button)
                            : QColor(colour_ & 0xFF, (colour_ >> 8) & 0xFF, (colour_ >> 16) & 0xFF);
  painter.fillRect(rect(), colour);
}

}  // namespace mascot
