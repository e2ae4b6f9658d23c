#pragma once
#include <QDialog>

#include "dialogs/message_box.h"

namespace mascot {

// The frame of a plain dialog: a title and a close button.
inline Qt::WindowFlags PlainDialogFlags() {
  return Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
         Qt::WindowCloseButtonHint;
}

// Runs a dialog modally: 1 when it ended with OK, else 2 (Cancel, Escape,
// Close), which is what the callers of every dialog expect.
inline int RunDialog(QDialog& dialog) { return dialog.exec() == kIdOk ? kIdOk : kIdCancel; }

}  // namespace mascot
