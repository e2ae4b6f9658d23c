#pragma once
#include <QImage>
#include <QPoint>

// Every picture of the program, drawn on request.
namespace art {

// An icon by number at a square size, with transparency.
QImage DrawIcon(int id, int size);
// A bitmap by number at its own size, opaque.
QImage DrawBitmap(int id);
// The pointing hand, 32 x 32 with transparency, and its hot spot.
QImage DrawPointingHand(QPoint& hotSpot);

}  // namespace art
