#include "editor/number_spin_box.h"

#include <QLineEdit>

namespace mascot {

NumberSpinBox::NumberSpinBox(QWidget* parent) : SteppedSpinBox(parent) {
  // Wide until the rules set the field's own range: a value set first is
  // not cut to the toolkit's default of 0..99.
  setRange(-32767, 32767);
  // The rules decide what a typed number becomes; the spin box must not
  // correct it on every keystroke.
  setKeyboardTracking(true);
  setCorrectionMode(QAbstractSpinBox::CorrectToPreviousValue);
}

QString NumberSpinBox::typedText() const { return leaving_ ? typedAtLeave_ : lineEdit()->text(); }

QString NumberSpinBox::textFromValue(int value) const {
  if (emptyAtMinimum_ && value == minimum()) return {};
  return QSpinBox::textFromValue(value);
}

int NumberSpinBox::valueFromText(const QString& text) const {
  if (emptyAtMinimum_ && text.trimmed().isEmpty()) return minimum();
  return QSpinBox::valueFromText(text);
}

QValidator::State NumberSpinBox::validate(QString& text, int& position) const {
  if (emptyAtMinimum_ && text.isEmpty()) return QValidator::Acceptable;
  return QSpinBox::validate(text, position);
}

void NumberSpinBox::focusOutEvent(QFocusEvent* event) {
  // editingFinished is emitted from inside the base class's handler, after
  // the text was corrected: keep what was typed for its receivers.
  typedAtLeave_ = lineEdit()->text();
  leaving_ = true;
  QSpinBox::focusOutEvent(event);
  leaving_ = false;
}

}  // namespace mascot
