// The pointing hand shown over links.
#include <QPainter>
#include <QPainterPath>

#include "pictures.h"

namespace art {

QImage DrawPointingHand(QPoint& hotSpot) {
  QImage image(32, 32, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);

  // Drawn on half-pixel lines so the one-pixel outline stays crisp.
  QPainterPath hand;
  hand.addRoundedRect(QRectF(9.5, 1.5, 5, 17), 2.5, 2.5);          // the pointing finger
  hand.addRoundedRect(QRectF(14.5, 10.5, 4, 9), 2, 2);             // three folded fingers
  hand.addRoundedRect(QRectF(18.5, 11.5, 4, 9), 2, 2);
  hand.addRoundedRect(QRectF(22.5, 13.5, 4, 8), 2, 2);
  hand.addRoundedRect(QRectF(9.5, 15.5, 17, 12), 4, 4);            // the palm
  QPainterPath thumb;
  thumb.addRoundedRect(QRectF(-3, -2.5, 11, 5), 2.5, 2.5);
  hand = hand.united(QTransform().translate(7.5, 19.5).rotate(40).map(thumb));
  hand = hand.united([] {
    QPainterPath wrist;
    wrist.addRect(QRectF(11.5, 25.5, 13, 4));
    return wrist;
  }());
  hand = hand.simplified();

  p.setPen(QPen(Qt::black, 1.0));
  p.setBrush(Qt::white);
  p.drawPath(hand);
  p.setPen(QPen(QColor(90, 90, 90), 1.0));
  p.drawLine(QPointF(14.5, 14.5), QPointF(14.5, 18));
  p.drawLine(QPointF(18.5, 14.5), QPointF(18.5, 18));
  p.drawLine(QPointF(22.5, 15.5), QPointF(22.5, 18.5));

  hotSpot = QPoint(12, 1);
  return image;
}

}  // namespace art
