// Pip: a round yellow bird that blinks, hops and flaps when clicked.
#include "characters.h"

namespace samples {
namespace {

enum : std::uint8_t { kBack, kLine, kBody, kBelly, kWing, kBeak, kWhite, kPupil, kCheek };

const Palette kPalette = {
    {255, 0, 255},   {46, 34, 47},    {255, 205, 60},  {255, 240, 170}, {226, 156, 34}, {242, 118, 34},
    {255, 255, 255}, {24, 22, 34},    {250, 140, 150},
};

enum class Eye { Open, Closed, Happy };
enum class Wing { Rest, Up, Down };

struct Pose {
  double lift = 0;  // pixels above the ground
  double rx = 15;
  double ry = 14;
  Eye eye = Eye::Open;
  Wing wing = Wing::Rest;
  bool beakOpen = false;
  bool legsTucked = false;
};

constexpr int kWidth = 48;
constexpr int kHeight = 56;
constexpr int kGround = 53;

Canvas Draw(const Pose& p) {
  Canvas c(kWidth, kHeight);
  const double cx = 23;
  const double bottom = kGround - 4 - p.lift;
  const double cy = bottom - p.ry;

  // Legs first, so the body covers their tops.
  for (int side : {-4, 4}) {
    int x = int(cx) + side;
    if (p.legsTucked) {
      c.line(x, int(bottom) - 1, x + 1, int(bottom) + 2, kBeak);
    } else {
      c.line(x, int(bottom) - 1, x, kGround - 1, kBeak);
      c.line(x - 2, kGround - 1, x + 2, kGround - 1, kBeak);
    }
  }
  // Tail feathers and the tuft on the head.
  c.fillTriangle({cx - p.rx + 3, cy - 3}, {cx - p.rx - 5, cy - 8}, {cx - p.rx + 1, cy + 3}, kWing);
  c.fillEllipse(cx - 1, cy - p.ry - 1, 2, 3.5, kBody);
  c.fillEllipse(cx + 2.5, cy - p.ry, 1.6, 2.6, kBody);

  c.fillEllipse(cx, cy, p.rx, p.ry, kBody);
  c.fillEllipse(cx + 2, cy + p.ry * 0.35, p.rx * 0.62, p.ry * 0.55, kBelly);

  // Beak, pointing right.
  const double bx = cx + p.rx - 2;
  const double by = cy - 2;
  if (p.beakOpen) {
    c.fillTriangle({bx, by - 2.5}, {bx + 7, by - 2}, {bx, by + 0.5}, kBeak);
    c.fillTriangle({bx, by + 1.5}, {bx + 6, by + 3.5}, {bx, by + 3.5}, kBeak);
  } else {
    c.fillTriangle({bx, by - 2.5}, {bx + 7, by + 0.5}, {bx, by + 3}, kBeak);
  }

  // Wing on the near side.
  switch (p.wing) {
    case Wing::Rest: c.fillEllipse(cx - 4, cy + 2, 7.5, 5, kWing); break;
    case Wing::Up:
      c.fillEllipse(cx - 9, cy - 7, 5, 8, kWing);
      c.fillEllipse(cx - 4, cy - 1, 4, 3, kWing);
      break;
    case Wing::Down: c.fillEllipse(cx - 6, cy + 7, 6, 5.5, kWing); break;
  }
  c.outline(kLine);

  // Face, drawn over the outline pass so its dark pixels stay thin.
  const int ex = int(cx) + 6;
  const int ey = int(cy) - 5;
  switch (p.eye) {
    case Eye::Open:
      c.fillEllipse(ex + 0.5, ey + 0.5, 2.6, 3.2, kWhite);
      c.fillRect(ex, ey - 1, ex + 2, ey + 2, kPupil);
      c.set(ex + 1, ey - 1, kWhite);
      break;
    case Eye::Closed: c.line(ex - 2, ey + 1, ex + 2, ey + 1, kLine); break;
    case Eye::Happy:
      c.line(ex - 2, ey + 1, ex, ey - 1, kLine);
      c.line(ex, ey - 1, ex + 2, ey + 1, kLine);
      break;
  }
  c.fillEllipse(ex + 0.5, ey + 5.5, 2, 1.2, kCheek);
  return c;
}

}  // namespace

SampleMascot MakePip() {
  SampleMascot m;
  m.name = "Pip";
  m.mascotInfo = "A round little bird who cannot sit still for long.";
  m.readme =
      "Pip\r\n\r\nPip sits on top of your window, blinks now and then and hops about.\r\n"
      "Click Pip for a happy flap.\r\n\r\nPictures: 4-bit Windows bitmaps. Sound: a short chirp.";
  m.palette = kPalette;
  const PictureFormat f = PictureFormat::Bmp4;
  m.pictures = {
      {"pip-stand", Draw({}), f},
      {"pip-blink", Draw({.eye = Eye::Closed}), f},
      {"pip-crouch", Draw({.rx = 17, .ry = 11}), f},
      {"pip-takeoff", Draw({.lift = 4, .rx = 14, .ry = 15, .wing = Wing::Up, .legsTucked = true}), f},
      {"pip-air", Draw({.lift = 9, .rx = 14.5, .ry = 14.5, .wing = Wing::Down, .legsTucked = true}), f},
      {"pip-land", Draw({.rx = 16.5, .ry = 12.5, .wing = Wing::Up}), f},
      {"pip-flap-up", Draw({.lift = 2, .eye = Eye::Happy, .wing = Wing::Up, .beakOpen = true}), f},
      {"pip-flap-down", Draw({.lift = 2, .eye = Eye::Happy, .wing = Wing::Down, .beakOpen = true}), f},
      {"pip-happy", Draw({.eye = Eye::Happy}), f},
  };
  m.frames = {
      {0, 1500, 3500},
      {1, 140, 200, 0, 1, 3},    // blink, back to standing one to three times
      {2, 160, 220},
      {3, 110, 130},
      {4, 160, 200},
      {5, 130, 160, 2, 0, 2},    // land, and maybe hop again
      {0, 600, 900, 0},          // stand, then start over
      {6, 90, 110},              // click: flap
      {7, 90, 110, 7, 2, 3},
      {8, 600, 800, 0},
  };
  m.clickStart = 7;
  m.clickEnd = 9;
  m.clickSound = {{2200, 3400, 70}, {0, 0, 30}, {2600, 3800, 90}};
  m.xOffset = 30;
  return m;
}

}  // namespace samples
