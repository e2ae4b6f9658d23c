// Moss: a soft green blob that squishes, looks around, and grows a flower
// when clicked.
#include "characters.h"

namespace samples {
namespace {

enum : std::uint8_t { kBack, kLine, kBody, kShine, kShade, kWhite, kPupil, kCheek, kStem, kPetal, kCentre, kSparkle };

const Palette kPalette = {
    {255, 0, 255},   {24, 56, 36},   {96, 196, 100}, {178, 238, 160}, {58, 140, 70},  {255, 255, 255},
    {20, 28, 24},    {240, 130, 150}, {44, 150, 52},  {255, 150, 204}, {255, 222, 70}, {255, 255, 190},
};

enum class Look { Ahead, Left, Right, Closed };
enum class Sprout { None, Bud, Flower };

struct Pose {
  double rx = 18;
  double ry = 16;
  Look look = Look::Ahead;
  Sprout sprout = Sprout::None;
  bool sparkles = false;
};

constexpr int kWidth = 48;
constexpr int kHeight = 52;
constexpr int kGround = 49;

void DrawSprout(Canvas& c, Sprout sprout, int x, int headTop) {
  if (sprout == Sprout::None) {
    c.line(x, headTop, x, headTop - 3, kStem);
    c.fillEllipse(x + 2.5, headTop - 3.5, 2.5, 1.3, kStem);
    return;
  }
  const int top = headTop - (sprout == Sprout::Bud ? 7 : 11);
  c.line(x, headTop, x, top, kStem);
  c.fillEllipse(x - 2.5, headTop - 4.5, 2.5, 1.3, kStem);
  c.fillEllipse(x + 2.5, headTop - 3.5, 2.5, 1.3, kStem);
  if (sprout == Sprout::Bud) {
    c.fillEllipse(x + 0.5, top - 1.0, 2, 2.5, kPetal);
    return;
  }
  for (auto [dx, dy] : {std::pair{-3.0, 0.0}, {3.0, 0.0}, {0.0, -3.0}, {0.0, 3.0}})
    c.fillEllipse(x + 0.5 + dx, top + dy, 2.4, 2.4, kPetal);
  c.fillEllipse(x + 0.5, top, 1.8, 1.8, kCentre);
}

Canvas Draw(const Pose& p) {
  Canvas c(kWidth, kHeight);
  const double cx = 24;
  const double cy = kGround - p.ry * 0.8;
  DrawSprout(c, p.sprout, int(cx), int(cy - p.ry) + 1);
  c.fillEllipse(cx, cy, p.rx, p.ry, kBody);
  c.fillEllipse(cx + 2, cy + p.ry * 0.45, p.rx * 0.9, p.ry * 0.45, kShade);
  c.fillEllipse(cx, cy + p.ry * 0.25, p.rx * 0.92, p.ry * 0.5, kBody);
  c.fillEllipse(cx - p.rx * 0.45, cy - p.ry * 0.5, p.rx * 0.22, p.ry * 0.16, kShine);
  c.clearBelow(kGround - 1);
  if (p.sparkles) {
    for (auto [x, y] : {std::pair{6, 12}, {41, 8}, {40, 26}, {7, 30}}) {
      c.line(x - 2, y, x + 2, y, kSparkle);
      c.line(x, y - 2, x, y + 2, kSparkle);
    }
  }
  c.outline(kLine);

  // Eyes, with pupils that follow the look.
  const int eyeY = int(cy - p.ry * 0.1);
  const int shift = p.look == Look::Left ? -1 : p.look == Look::Right ? 1 : 0;
  for (int ex : {int(cx) - 6, int(cx) + 5}) {
    if (p.look == Look::Closed) {
      c.line(ex - 2, eyeY, ex, eyeY + 1, kLine);
      c.line(ex, eyeY + 1, ex + 2, eyeY, kLine);
      continue;
    }
    c.fillEllipse(ex + 0.5, eyeY + 0.5, 2.8, 3.4, kWhite);
    c.fillRect(ex + shift - 1, eyeY - 1, ex + shift + 1, eyeY + 3, kPupil);
    c.set(ex + shift, eyeY - 1, kWhite);
  }
  c.fillEllipse(cx - 10, eyeY + 5.5, 2, 1.2, kCheek);
  c.fillEllipse(cx + 10, eyeY + 5.5, 2, 1.2, kCheek);
  c.line(int(cx) - 2, eyeY + 5, int(cx) - 1, eyeY + 6, kLine);
  c.line(int(cx), eyeY + 6, int(cx) + 1, eyeY + 5, kLine);
  return c;
}

}  // namespace

SampleMascot MakeMoss() {
  SampleMascot m;
  m.name = "Moss";
  m.mascotInfo = "A patch of moss that woke up one spring and decided to travel.";
  m.readme =
      "Moss\r\n\r\nMoss wobbles gently on your window and keeps an eye on things.\r\n"
      "Click Moss and a flower comes out.\r\n\r\nPictures: IFF ILBM and PBM files. Sound: a soft bloop.";
  m.palette = kPalette;
  m.pictures = {
      {"moss-sit", Draw({}), PictureFormat::Ilbm},
      {"moss-squish", Draw({.rx = 21, .ry = 13}), PictureFormat::Ilbm},
      {"moss-stretch", Draw({.rx = 15.5, .ry = 19}), PictureFormat::Ilbm},
      {"moss-look-left", Draw({.look = Look::Left}), PictureFormat::Ilbm},
      {"moss-look-right", Draw({.look = Look::Right}), PictureFormat::Ilbm},
      {"moss-bud", Draw({.rx = 17, .ry = 17, .look = Look::Closed, .sprout = Sprout::Bud}), PictureFormat::Pbm},
      {"moss-flower", Draw({.rx = 16.5, .ry = 17.5, .sprout = Sprout::Flower}), PictureFormat::Pbm},
      {"moss-sparkle", Draw({.rx = 16.5, .ry = 17.5, .look = Look::Closed, .sprout = Sprout::Flower, .sparkles = true}),
       PictureFormat::Pbm},
  };
  m.frames = {
      {0, 1500, 3000},
      {1, 180, 240},
      {2, 180, 240, 1, 1, 3},  // wobble
      {0, 700, 1400},
      {3, 600, 1200},
      {4, 600, 1200, 3, 0, 1},
      {0, 500, 900, 0},
      {1, 120, 150},           // click: squish, sprout, bloom
      {5, 200, 260},
      {6, 400, 500},
      {7, 300, 350},
      {6, 300, 350, 10, 1, 2},
      {0, 300, 400, 0},
  };
  m.clickStart = 7;
  m.clickEnd = 12;
  m.clickSound = {{520, 260, 150}};
  m.xOffset = 50;
  return m;
}

}  // namespace samples
