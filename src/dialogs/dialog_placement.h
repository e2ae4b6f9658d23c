#pragma once
#include <QRect>

class QWidget;

namespace mascot {

// A rectangle of `size` centred on `area`, moved back inside it where it
// sticks out (its top left edge wins when it is larger).
QRect CentredRect(QSize size, const QRect& area);

// Centres the dialog on its owner's window, or on the work area of the
// screen when it has none, and keeps it on that screen.
void CentreOnOwner(QWidget* dialog, QWidget* owner);

}  // namespace mascot
