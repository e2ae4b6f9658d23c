#include "editor/frame_row_spin_box.h"

#include <QLineEdit>

#include <algorithm>

#include "editing/frame_row_rules.h"

namespace mascot {
namespace {

bool AllDigits(const QString& text) {
  return std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

}  // namespace

FrameRowSpinBox::FrameRowSpinBox(QWidget* parent) : SteppedSpinBox(parent) {
  // The rules run when the user steps or leaves the edit, not per keystroke.
  setKeyboardTracking(false);
  setCorrectionMode(QAbstractSpinBox::CorrectToPreviousValue);
  connect(lineEdit(), &QLineEdit::textEdited, this, [this] { blank_ = false; });
}

void FrameRowSpinBox::setBlank(bool blank) {
  if (blank_ == blank) return;
  blank_ = blank;
  lineEdit()->setText(textFromValue(value()));
}

void FrameRowSpinBox::setNextFrameField(bool next) {
  nextFrameField_ = next;
  lineEdit()->setMaxLength(next ? 5 : 32767);
}

void FrameRowSpinBox::stepBy(int steps) {
  blank_ = false;
  SteppedSpinBox::stepBy(steps);
}

QString FrameRowSpinBox::textFromValue(int value) const {
  if (blank_) return {};
  if (nextFrameField_) return QString::fromStdString(NextFrameText(value));
  return QString::number(value);
}

int FrameRowSpinBox::valueFromText(const QString& text) const {
  const std::string typed = text.toStdString();
  if (nextFrameField_) return ReadNextFrame(typed, maximum());
  return static_cast<int>(std::min<std::uint32_t>(ReadRowNumber(typed), static_cast<std::uint32_t>(maximum())));
}

QValidator::State FrameRowSpinBox::validate(QString& text, int& /*position*/) const {
  if (text.isEmpty()) return QValidator::Acceptable;  // reads as 0
  if (nextFrameField_) {
    if (AllDigits(text)) return QValidator::Acceptable;
    if (text == specialValueText()) return QValidator::Acceptable;
    return specialValueText().startsWith(text) ? QValidator::Intermediate : QValidator::Invalid;
  }
  if (!AllDigits(text) || text.size() > 9) return QValidator::Invalid;
  return text.toInt() <= maximum() ? QValidator::Acceptable : QValidator::Invalid;
}

}  // namespace mascot
