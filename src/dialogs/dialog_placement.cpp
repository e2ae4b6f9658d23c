#include "dialogs/dialog_placement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace mascot {
namespace {

QRect KeptInside(QRect placed, const QRect& area) {
  placed.moveLeft(std::max(area.left(), std::min(placed.left(), area.right() - placed.width() + 1)));
  placed.moveTop(std::max(area.top(), std::min(placed.top(), area.bottom() - placed.height() + 1)));
  return placed;
}

}  // namespace

QRect CentredRect(QSize size, const QRect& area) {
  QRect placed(QPoint(0, 0), size);
  placed.moveCenter(area.center());
  return KeptInside(placed, area);
}

void CentreOnOwner(QWidget* dialog, QWidget* owner) {
  QWidget* ownerWindow = owner ? owner->window() : nullptr;
  QScreen* screen = ownerWindow ? ownerWindow->screen() : QGuiApplication::primaryScreen();
  const QRect workArea = screen ? screen->availableGeometry() : QRect();
  dialog->adjustSize();
  QRect placed = CentredRect(dialog->size(), ownerWindow ? ownerWindow->frameGeometry() : workArea);
  // An owner partly off the screen must not take the dialog with it.
  if (workArea.isValid()) placed = KeptInside(placed, workArea);
  dialog->move(placed.topLeft());
}

}  // namespace mascot
