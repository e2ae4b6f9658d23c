#pragma once
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <functional>

#include "dialogs/control_ids.h"

namespace mascot::testing {

// Hands the next modal dialog to `act` once its loop runs; `act` must end it.
inline void WhenModalShows(std::function<void(QDialog*)> act) {
  QTimer::singleShot(0, [act = std::move(act)] {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (!dialog) {
      ADD_FAILURE() << "no modal dialog";
      return;
    }
    act(dialog);
  });
}

// The control with the number, as the type expected.
template <typename Control>
Control* Find(QDialog* dialog, int id) {
  auto* control = qobject_cast<Control*>(FindControl(dialog, id));
  EXPECT_NE(control, nullptr) << "control " << id;
  return control;
}

}  // namespace mascot::testing
