#include "emblem.h"

#include <QPainterPath>
#include <QRadialGradient>

#include <algorithm>

namespace art {
namespace {

// Coordinates of a drawing made on a 100 x 100 grid, placed into a box.
class Grid {
 public:
  explicit Grid(const QRectF& box) : origin_(box.topLeft()), unit_(box.width() / 100.0) {}
  QPointF at(double x, double y) const { return origin_ + QPointF(x * unit_, y * unit_); }
  double len(double v) const { return v * unit_; }
  QRectF ellipse(double cx, double cy, double rx, double ry) const {
    return QRectF(at(cx - rx, cy - ry), QSizeF(len(2 * rx), len(2 * ry)));
  }

 private:
  QPointF origin_;
  double unit_;
};

QPen LinePen(const QColor& colour, double width) {
  QPen pen(colour, std::max(width, 1.0));
  pen.setJoinStyle(Qt::RoundJoin);
  pen.setCapStyle(Qt::RoundCap);
  return pen;
}

void DrawEar(QPainter& p, const Grid& g, const FaceStyle& s, double side, double lineWidth) {
  // side: -1 left, +1 right; the ear leans outwards.
  auto x = [side](double v) { return 50 + side * (v - 50); };
  QPainterPath outer;
  outer.moveTo(g.at(x(14), 46));
  outer.quadTo(g.at(x(8), 18), g.at(x(13), 4));
  outer.quadTo(g.at(x(30), 12), g.at(x(42), 24));
  outer.closeSubpath();
  p.setPen(LinePen(s.colours.line, lineWidth));
  p.setBrush(s.colours.body);
  p.drawPath(outer);
  if (s.tiny) return;
  QPainterPath inner;
  inner.moveTo(g.at(x(20), 38));
  inner.quadTo(g.at(x(16), 22), g.at(x(18), 13));
  inner.quadTo(g.at(x(28), 18), g.at(x(34), 26));
  inner.closeSubpath();
  p.setPen(Qt::NoPen);
  p.setBrush(s.colours.inner);
  p.drawPath(inner);
}

void DrawFeeler(QPainter& p, const Grid& g, const FaceStyle& s, double lineWidth) {
  QPainterPath stalk;
  stalk.moveTo(g.at(50, 22));
  stalk.quadTo(g.at(48, 8), g.at(62, 7));
  p.setPen(LinePen(s.colours.line, lineWidth * 1.2));
  p.setBrush(Qt::NoBrush);
  p.drawPath(stalk);
  p.setPen(LinePen(s.colours.line, lineWidth));
  p.setBrush(s.colours.cheek);
  p.drawEllipse(g.ellipse(64, 7, 6.5, 6.5));
}

void DrawEye(QPainter& p, const Grid& g, const FaceStyle& s, double cx, bool closed, double lineWidth) {
  if (closed) {
    // A happy closed eye: an upward arc.
    QPainterPath arc;
    arc.moveTo(g.at(cx - 9, 58));
    arc.quadTo(g.at(cx, 45), g.at(cx + 9, 58));
    p.setPen(LinePen(s.colours.line, lineWidth * 1.1));
    p.setBrush(Qt::NoBrush);
    p.drawPath(arc);
    return;
  }
  p.setPen(Qt::NoPen);
  if (s.tiny) {
    p.setBrush(s.colours.line);
    p.drawEllipse(g.ellipse(cx, 55, 9, 12));
    return;
  }
  p.setBrush(Qt::white);
  p.setPen(LinePen(s.colours.line, lineWidth * 0.5));
  p.drawEllipse(g.ellipse(cx, 54, 10.5, 12.5));
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(28, 30, 46));
  p.drawEllipse(g.ellipse(cx + 1.5, 57, 6.5, 8.5));
  p.setBrush(Qt::white);
  p.drawEllipse(g.ellipse(cx - 0.5, 53, 2.8, 2.8));
  p.drawEllipse(g.ellipse(cx + 4, 61, 1.4, 1.4));
}

void DrawMouth(QPainter& p, const Grid& g, const FaceStyle& s, double lineWidth) {
  if (s.tiny) {
    QPainterPath smile;
    smile.moveTo(g.at(38, 74));
    smile.quadTo(g.at(50, 86), g.at(62, 74));
    p.setPen(LinePen(s.colours.line, lineWidth));
    p.setBrush(Qt::NoBrush);
    p.drawPath(smile);
    return;
  }
  QPainterPath mouth;
  mouth.moveTo(g.at(41, 72));
  mouth.quadTo(g.at(50, 75), g.at(59, 72));
  mouth.quadTo(g.at(58, 86), g.at(50, 86));
  mouth.quadTo(g.at(42, 86), g.at(41, 72));
  p.setPen(LinePen(s.colours.line, lineWidth * 0.7));
  p.setBrush(QColor(122, 40, 58));
  p.drawPath(mouth);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(240, 120, 140));
  p.drawEllipse(g.ellipse(50, 83, 5, 2.6));
}

}  // namespace

Palette TovraColours() {
  return {QColor(62, 178, 172), QColor(150, 228, 214), QColor(22, 62, 74), QColor(250, 170, 180),
          QColor(255, 130, 150)};
}

Palette FriendColours() {
  return {QColor(246, 150, 58), QColor(255, 214, 140), QColor(84, 44, 26), QColor(255, 200, 160),
          QColor(236, 84, 90)};
}

void DrawFace(QPainter& p, const QRectF& box, const FaceStyle& s) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  const Grid g(box);
  const double lineWidth = g.len(s.tiny ? 8 : 4.5);

  if (s.crest == Crest::Ears) {
    DrawEar(p, g, s, -1, lineWidth);
    DrawEar(p, g, s, +1, lineWidth);
  } else {
    DrawFeeler(p, g, s, lineWidth);
  }

  QRadialGradient shade(g.at(36, 36), g.len(70));
  shade.setColorAt(0, s.colours.bodyLight);
  shade.setColorAt(1, s.colours.body);
  p.setPen(LinePen(s.colours.line, lineWidth));
  p.setBrush(s.tiny ? QBrush(s.colours.body) : QBrush(shade));
  p.drawEllipse(g.ellipse(50, 57, 45, 40));

  if (!s.tiny) {
    p.setPen(Qt::NoPen);
    QColor cheek = s.colours.cheek;
    cheek.setAlpha(150);
    p.setBrush(cheek);
    p.drawEllipse(g.ellipse(19, 72, 8, 5));
    p.drawEllipse(g.ellipse(81, 72, 8, 5));
  }
  DrawEye(p, g, s, 32, false, lineWidth);
  DrawEye(p, g, s, 68, s.wink, lineWidth);
  DrawMouth(p, g, s, lineWidth);
  p.restore();
}

void DrawCreature(QPainter& p, const QRectF& box, const FaceStyle& s, const Pose& pose) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  const Grid g(box);
  const double lineWidth = g.len(3.6);
  p.setPen(LinePen(s.colours.line, lineWidth));

  // Feet first: the body covers their tops.
  p.setBrush(s.colours.body.darker(115));
  p.drawEllipse(g.ellipse(34, 93, 12, 6));
  p.drawEllipse(g.ellipse(66, 93, 12, 6));

  // Arms: a resting one on the left, the right one resting, waving or holding.
  p.setBrush(s.colours.body);
  p.drawEllipse(g.ellipse(10, 66, 7, 10));
  if (pose.waving) {
    p.save();
    p.translate(g.at(92, 42));
    p.rotate(-25);
    p.drawEllipse(QRectF(-g.len(7), -g.len(11), g.len(14), g.len(22)));
    p.restore();
  } else {
    p.drawEllipse(g.ellipse(90, 66, 7, 10));
  }

  DrawFace(p, QRectF(g.at(6, -2), QSizeF(g.len(88), g.len(88))), s);

  if (pose.holdsBrush) {
    DrawBrush(p, g.at(70, 88), g.len(52));
    p.setPen(LinePen(s.colours.line, lineWidth));
    p.setBrush(s.colours.body);
    p.drawEllipse(g.ellipse(88, 70, 7, 7));
  }
  p.restore();
}

void DrawPencil(QPainter& p, QPointF tip, double length) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  p.translate(tip);
  p.rotate(-45);  // the pencil runs up and to the right from its tip
  const double w = length * 0.22;
  const double h = w / 2;
  const QPen line = LinePen(QColor(40, 36, 44), std::max(length * 0.045, 1.0));

  p.setPen(line);
  QPainterPath wood;
  wood.moveTo(0, 0);
  wood.lineTo(length * 0.26, -h);
  wood.lineTo(length * 0.26, h);
  wood.closeSubpath();
  p.setBrush(QColor(240, 206, 160));
  p.drawPath(wood);
  p.setBrush(QColor(58, 58, 66));
  QPainterPath lead;
  lead.moveTo(0, 0);
  lead.lineTo(length * 0.09, -h * 0.35);
  lead.lineTo(length * 0.09, h * 0.35);
  lead.closeSubpath();
  p.setPen(Qt::NoPen);
  p.drawPath(lead);

  p.setPen(line);
  p.setBrush(QColor(250, 196, 52));
  p.drawRect(QRectF(length * 0.26, -h, length * 0.52, w));
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(255, 226, 120));
  p.drawRect(QRectF(length * 0.27, -h * 0.7, length * 0.5, h * 0.45));
  p.setPen(line);
  p.setBrush(QColor(176, 180, 190));
  p.drawRect(QRectF(length * 0.78, -h, length * 0.09, w));
  p.setBrush(QColor(244, 128, 150));
  p.drawRoundedRect(QRectF(length * 0.87, -h, length * 0.13, w), h * 0.5, h * 0.5);
  p.restore();
}

void DrawBrush(QPainter& p, QPointF tip, double length) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  p.translate(tip);
  p.rotate(-45);
  const double h = length * 0.07;
  const QPen line = LinePen(QColor(40, 36, 44), std::max(length * 0.04, 1.0));
  p.setPen(line);

  // Bristles with paint on the tip, then the metal band and the handle.
  QPainterPath bristles;
  bristles.moveTo(0, 0);
  bristles.quadTo(length * 0.08, -h * 1.6, length * 0.28, -h * 1.2);
  bristles.lineTo(length * 0.28, h * 1.2);
  bristles.quadTo(length * 0.08, h * 1.6, 0, 0);
  p.setBrush(QColor(120, 84, 60));
  p.drawPath(bristles);
  QPainterPath paint;
  paint.moveTo(0, 0);
  paint.quadTo(length * 0.05, -h * 1.2, length * 0.12, -h * 1.25);
  paint.lineTo(length * 0.12, h * 1.25);
  paint.quadTo(length * 0.05, h * 1.2, 0, 0);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(70, 130, 230));
  p.drawPath(paint);
  p.setPen(line);
  p.setBrush(QColor(190, 194, 204));
  p.drawRect(QRectF(length * 0.28, -h * 1.2, length * 0.14, h * 2.4));
  QPainterPath handle;
  handle.moveTo(length * 0.42, -h);
  handle.lineTo(length * 0.97, -h * 0.6);
  handle.quadTo(length * 1.02, 0, length * 0.97, h * 0.6);
  handle.lineTo(length * 0.42, h);
  handle.closeSubpath();
  p.setBrush(QColor(196, 60, 60));
  p.drawPath(handle);
  p.restore();
}

}  // namespace art
