// The opaque pictures: the splash, the About box's emblem, the credits box's
// two characters and the editor's logo.
#include <QFont>
#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainterPath>

#include "emblem.h"
#include "pictures.h"

namespace art {
namespace {

constexpr char kTitle[] = "Tovra Mascot";
constexpr char kTagline[] = "A small friend who sits\non top of your windows";
constexpr char kLoading[] = "Loading...";

QImage Opaque(int width, int height, const QColor& top, const QColor& bottom) {
  QImage image(width, height, QImage::Format_RGB32);
  QPainter p(&image);
  QLinearGradient sky(0, 0, 0, height);
  sky.setColorAt(0, top);
  sky.setColorAt(1, bottom);
  p.fillRect(image.rect(), sky);
  return image;
}

// The top of an ordinary window, which is where the character sits.
void DrawWindowTop(QPainter& p, const QRectF& frame) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  const double bar = 14;
  p.setPen(QPen(QColor(52, 64, 92), 1.5));
  p.setBrush(QColor(250, 250, 252));
  p.drawRoundedRect(frame, 5, 5);
  QPainterPath title;
  title.addRoundedRect(QRectF(frame.left(), frame.top(), frame.width(), bar + 5), 5, 5);
  p.setBrush(QColor(88, 104, 150));
  p.drawPath(title.intersected([&] {
    QPainterPath clip;
    clip.addRect(QRectF(frame.left() - 2, frame.top() - 2, frame.width() + 4, bar + 2));
    return clip;
  }()));
  p.setPen(Qt::NoPen);
  const QColor dots[] = {QColor(240, 96, 92), QColor(246, 190, 70), QColor(98, 200, 110)};
  for (int i = 0; i < 3; ++i) {
    p.setBrush(dots[i]);
    p.drawEllipse(QPointF(frame.right() - 12 - i * 10, frame.top() + bar / 2), 3, 3);
  }
  p.setBrush(QColor(200, 210, 226));
  for (int i = 0; i < 3; ++i)
    p.drawRoundedRect(QRectF(frame.left() + 10, frame.top() + bar + 10 + i * 11, frame.width() * (0.7 - i * 0.15), 5), 2, 2);
  p.restore();
}

void DrawSparkles(QPainter& p, const QColor& colour, std::initializer_list<QPointF> where, double radius) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(Qt::NoPen);
  p.setBrush(colour);
  for (const QPointF& c : where) {
    QPainterPath star;
    star.moveTo(c.x(), c.y() - radius);
    star.quadTo(c, QPointF(c.x() + radius, c.y()));
    star.quadTo(c, QPointF(c.x(), c.y() + radius));
    star.quadTo(c, QPointF(c.x() - radius, c.y()));
    star.quadTo(c, QPointF(c.x(), c.y() - radius));
    p.drawPath(star);
  }
  p.restore();
}

// The largest bold font of the family that fits the text into the width.
QFont FittedFont(const QString& text, double width, int largest) {
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setBold(true);
  for (int pixels = largest; pixels > 8; --pixels) {
    font.setPixelSize(pixels);
    if (QFontMetricsF(font).horizontalAdvance(text) <= width) break;
  }
  return font;
}

QImage Splash() {
  QImage image = Opaque(360, 200, QColor(244, 252, 251), QColor(198, 234, 236));
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(255, 255, 255, 120));
  p.drawEllipse(QPointF(300, 30), 60, 60);
  p.drawEllipse(QPointF(40, 40), 34, 34);
  DrawSparkles(p, QColor(255, 255, 255), {QPointF(150, 26), QPointF(24, 96), QPointF(340, 120)}, 7);

  DrawWindowTop(p, QRectF(14, 138, 150, 80));
  FaceStyle style;
  DrawCreature(p, QRectF(36, 34, 106, 106), style, Pose{.waving = true});

  const double textLeft = 176;
  const double textWidth = 360 - textLeft - 14;
  const QString title = QString::fromUtf8(kTitle);
  const QFont titleFont = FittedFont(title, textWidth, 34);
  p.setFont(titleFont);
  p.setPen(QColor(22, 62, 74));
  p.drawText(QRectF(textLeft, 62, textWidth, 44), Qt::AlignLeft | Qt::AlignVCenter, title);

  QFont small(QStringLiteral("DejaVu Sans"));
  small.setPixelSize(11);
  p.setFont(small);
  p.setPen(QColor(50, 100, 110));
  p.drawText(QRectF(textLeft, 110, textWidth, 34), Qt::AlignLeft | Qt::AlignTop,
             QString::fromUtf8(kTagline));
  p.setPen(QColor(62, 178, 172));
  p.drawLine(QPointF(textLeft, 104), QPointF(textLeft + textWidth * 0.9, 104));

  small.setItalic(true);
  p.setFont(small);
  p.setPen(QColor(90, 110, 120));
  p.drawText(QRectF(textLeft, 168, textWidth, 20), Qt::AlignRight | Qt::AlignVCenter, QString::fromUtf8(kLoading));
  return image;
}

QImage AboutEmblem() {
  QImage image = Opaque(64, 64, QColor(236, 248, 247), QColor(196, 232, 228));
  QPainter p(&image);
  DrawFace(p, QRectF(4, 4, 56, 56), FaceStyle{});
  return image;
}

QImage CreditsTovra() {
  QImage image = Opaque(120, 90, QColor(226, 244, 252), QColor(176, 222, 240));
  QPainter p(&image);
  DrawSparkles(p, QColor(255, 255, 255), {QPointF(16, 16), QPointF(104, 22), QPointF(96, 60)}, 5);
  DrawWindowTop(p, QRectF(6, 72, 108, 40));
  DrawCreature(p, QRectF(28, 6, 68, 68), FaceStyle{}, Pose{.waving = true});
  return image;
}

QImage CreditsFriend() {
  QImage image = Opaque(120, 90, QColor(255, 244, 226), QColor(250, 214, 176));
  QPainter p(&image);
  DrawSparkles(p, QColor(255, 255, 255), {QPointF(14, 20), QPointF(106, 14), QPointF(20, 62)}, 5);
  // A canvas the friend paints on.
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(QColor(120, 80, 50), 2));
  p.drawLine(QPointF(90, 40), QPointF(84, 88));
  p.drawLine(QPointF(100, 40), QPointF(108, 88));
  p.setBrush(QColor(255, 255, 250));
  p.drawRect(QRectF(80, 30, 32, 30));
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(62, 178, 172));
  p.drawEllipse(QRectF(86, 38, 18, 16));
  p.setPen(QPen(QColor(180, 140, 100), 2));
  p.drawLine(QPointF(0, 86), QPointF(120, 86));
  FaceStyle friendly;
  friendly.colours = FriendColours();
  friendly.crest = Crest::Feeler;
  friendly.wink = true;
  DrawCreature(p, QRectF(6, 18, 70, 70), friendly, Pose{.holdsBrush = true});
  return image;
}

QImage EditorLogo() {
  QImage image = Opaque(48, 48, QColor(236, 248, 247), QColor(196, 232, 228));
  QPainter p(&image);
  DrawFace(p, QRectF(2, 1, 38, 38), FaceStyle{});
  DrawPencil(p, QPointF(24, 46), 30);
  return image;
}

}  // namespace

QImage DrawBitmap(int id) {
  switch (id) {
    case 145: return Splash();
    case 151: return AboutEmblem();
    case 152: return CreditsTovra();
    case 153: return CreditsFriend();
    case 154: return EditorLogo();
    default: return {};
  }
}

}  // namespace art
