#pragma once
#include <QString>

#include "editor/stepped_spin_box.h"

namespace mascot {

// An edit with its up-down control, as the editor's number fields are. The
// rules read what the user typed at the moment the field lost the focus,
// before the spin box corrects it, and the click frame fields show their
// lowest value (none) as an empty edit.
class NumberSpinBox final : public SteppedSpinBox {
 public:
  explicit NumberSpinBox(QWidget* parent = nullptr);

  void setEmptyAtMinimum(bool empty) { emptyAtMinimum_ = empty; }
  // The text of the edit as typed; at a focus loss, the text before the
  // spin box's own correction.
  QString typedText() const;
  QLineEdit* edit() const { return lineEdit(); }

 protected:
  QString textFromValue(int value) const override;
  int valueFromText(const QString& text) const override;
  QValidator::State validate(QString& text, int& position) const override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  bool emptyAtMinimum_ = false;
  bool leaving_ = false;
  QString typedAtLeave_;
};

}  // namespace mascot
