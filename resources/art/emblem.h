#pragma once
#include <QColor>
#include <QPainter>
#include <QRectF>

// The program's character, drawn with vectors so that one drawing serves
// every size from a 16-pixel icon to the splash.
namespace art {

struct Palette {
  QColor body;
  QColor bodyLight;
  QColor line;
  QColor inner;   // the inside of the ears
  QColor cheek;
};

// Tovra, the emblem: a round teal creature with pointed ears.
Palette TovraColours();
// Its friend on the credits box: warm orange, one feeler instead of ears.
Palette FriendColours();

enum class Crest { Ears, Feeler };

struct FaceStyle {
  Palette colours = TovraColours();
  Crest crest = Crest::Ears;
  bool tiny = false;   // 16 pixels: no highlights or cheeks, bolder lines
  bool wink = false;
};

// The head alone, filling the square box.
void DrawFace(QPainter& p, const QRectF& box, const FaceStyle& style);

// The whole character standing in the box (feet on its bottom edge).
struct Pose {
  bool waving = false;
  bool holdsBrush = false;
};
void DrawCreature(QPainter& p, const QRectF& box, const FaceStyle& style, const Pose& pose);

// Drawing tools, pointing down to the left, with their tips at `tip`;
// `length` is the whole tool's length.
void DrawPencil(QPainter& p, QPointF tip, double length);
void DrawBrush(QPainter& p, QPointF tip, double length);

}  // namespace art
