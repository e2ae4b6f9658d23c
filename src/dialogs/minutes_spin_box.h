#pragma once
#include <QSpinBox>

namespace mascot {

// The preferences' minutes: typing is not held to 1..10000 as it goes; the
// number is read when the field loses the focus (or at Return), a value
// below 2 as 1 and one above 10000 as 10000. The arrows step within the range.
class MinutesSpinBox : public QSpinBox {
 public:
  explicit MinutesSpinBox(QWidget* parent = nullptr);

 protected:
  QValidator::State validate(QString& text, int& position) const override;
  int valueFromText(const QString& text) const override;
};

}  // namespace mascot
