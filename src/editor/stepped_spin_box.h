#pragma once
#include <QSpinBox>

#include <functional>

namespace mascot {

// A spin box that tells when the user stepped it with its arrows or the
// arrow keys; values set from code do not count, as the rules expect.
class SteppedSpinBox : public QSpinBox {
 public:
  using QSpinBox::QSpinBox;

  void setStepHandler(std::function<void()> handler) { stepped_ = std::move(handler); }
  void stepBy(int steps) override {
    QSpinBox::stepBy(steps);
    if (stepped_) stepped_();
  }

 private:
  std::function<void()> stepped_;
};

}  // namespace mascot
