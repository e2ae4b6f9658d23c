#include "dialogs/wait_cursor.h"

#include <QCursor>
#include <QGuiApplication>

namespace mascot {
namespace {

int holderCount = 0;
// Whether the first holder could set a cursor (there may be no application).
bool cursorSet = false;

}  // namespace

WaitCursor::WaitCursor() {
  if (holderCount++ == 0 && qGuiApp) {
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    cursorSet = true;
  }
}

WaitCursor::~WaitCursor() {
  if (--holderCount == 0 && cursorSet) {
    cursorSet = false;
    if (qGuiApp) QGuiApplication::restoreOverrideCursor();
  }
}

int WaitCursor::holders() { return holderCount; }

}  // namespace mascot
