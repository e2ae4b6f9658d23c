#pragma once
#include <QString>

#include "editor/stepped_spin_box.h"

namespace mascot {

// A frame row's number edit with its up-down control: digits only. The
// loop counts of a frame without a jump show an empty edit, which reads
// as 0; the next-frame field takes any number and reads it by the row
// rule, so one past the last frame becomes "Next".
class FrameRowSpinBox final : public SteppedSpinBox {
 public:
  explicit FrameRowSpinBox(QWidget* parent = nullptr);

  // Empty until the user steps or types.
  void setBlank(bool blank);
  // At most five characters, 0 shown as "Next".
  void setNextFrameField(bool next);
  void stepBy(int steps) override;

 protected:
  QString textFromValue(int value) const override;
  int valueFromText(const QString& text) const override;
  QValidator::State validate(QString& text, int& position) const override;

 private:
  bool blank_ = false;
  bool nextFrameField_ = false;
};

}  // namespace mascot
