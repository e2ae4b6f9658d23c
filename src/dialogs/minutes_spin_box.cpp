#include "dialogs/minutes_spin_box.h"

#include <QRegularExpression>

#include "editing/preferences_form.h"

namespace mascot {

MinutesSpinBox::MinutesSpinBox(QWidget* parent) : QSpinBox(parent) {
  setRange(static_cast<int>(kMinChangeMinutes), static_cast<int>(kMaxChangeMinutes));
  // Read at the focus loss, not at each key: "20000" must not pass 2000 on
  // its way.
  setKeyboardTracking(false);
}

QValidator::State MinutesSpinBox::validate(QString& text, int&) const {
  static const QRegularExpression kNumber(QStringLiteral("^\\s*[-+]?\\d*\\s*$"));
  if (text.size() > static_cast<qsizetype>(kMinutesTextLimit)) return QValidator::Invalid;
  return kNumber.match(text).hasMatch() ? QValidator::Acceptable : QValidator::Invalid;
}

int MinutesSpinBox::valueFromText(const QString& text) const {
  return static_cast<int>(ReadChangeMinutes(text.toStdString()));
}

}  // namespace mascot
