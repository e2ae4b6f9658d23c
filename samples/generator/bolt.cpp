// Bolt: a small tin robot that blinks its antenna, waves, and hops with
// sparks when clicked.
#include "characters.h"

namespace samples {
namespace {

enum : std::uint8_t { kBack, kLine, kLight, kMetal, kDark, kScreen, kEye, kLamp, kLampOff, kSpark, kWhite, kMouth };

const Palette kPalette = {
    {255, 0, 255},  {34, 36, 52},   {196, 206, 222}, {140, 152, 176}, {92, 100, 126}, {28, 44, 58},
    {96, 232, 255}, {255, 70, 64},  {130, 52, 58},   {255, 226, 84},  {255, 255, 255}, {130, 255, 150},
};

enum class Arm { Down, Raised, WaveOut, WaveIn };
enum class Face { Normal, Blink, Happy, Surprised };

struct Pose {
  double lift = 0;
  Arm arm = Arm::Down;
  Face face = Face::Normal;
  bool lampOn = false;
  bool sparks = false;
};

constexpr int kWidth = 44;
constexpr int kHeight = 64;

void DrawFace(Canvas& c, Face face, int top) {
  const int y = top + 8;
  switch (face) {
    case Face::Normal:
      c.fillRect(16, y - 2, 19, y + 2, kEye);
      c.fillRect(25, y - 2, 28, y + 2, kEye);
      c.fillRect(18, y + 5, 26, y + 6, kMouth);
      break;
    case Face::Blink:
      c.fillRect(15, y + 1, 20, y + 2, kEye);
      c.fillRect(24, y + 1, 29, y + 2, kEye);
      c.fillRect(18, y + 5, 26, y + 6, kMouth);
      break;
    case Face::Happy:
      for (int x0 : {15, 24}) {
        c.line(x0, y + 1, x0 + 2, y - 1, kEye);
        c.line(x0 + 2, y - 1, x0 + 4, y + 1, kEye);
      }
      c.line(18, y + 4, 19, y + 5, kMouth);
      c.fillRect(19, y + 6, 25, y + 7, kMouth);
      c.line(25, y + 5, 26, y + 4, kMouth);
      break;
    case Face::Surprised:
      c.fillEllipse(17.5, y + 0.5, 2.5, 2.5, kEye);
      c.fillEllipse(26.5, y + 0.5, 2.5, 2.5, kEye);
      c.set(17, y, kWhite);
      c.set(26, y, kWhite);
      c.fillEllipse(22, y + 6, 1.6, 1.6, kMouth);
      break;
  }
}

Canvas Draw(const Pose& p) {
  Canvas c(kWidth, kHeight);
  const int top = 16 - int(p.lift);  // top of the head

  // Antenna.
  c.line(22, top - 1, 22, top - 6, kDark);
  c.fillEllipse(22.5, top - 7.5, 2.5, 2.5, p.lampOn ? kLamp : kLampOff);

  // Legs and feet.
  for (int x : {15, 25}) {
    c.fillRect(x, top + 36, x + 4, top + 43, kMetal);
    c.fillRect(x - 2, top + 43, x + 6, top + 46, kDark);
  }
  // Body with a chest panel of three lights.
  c.fillRect(20, top + 19, 25, top + 22, kDark);
  c.fillRect(12, top + 21, 33, top + 37, kMetal);
  c.fillRect(13, top + 22, 32, top + 24, kLight);
  c.fillRect(16, top + 26, 29, top + 33, kDark);
  c.fillRect(18, top + 28, 20, top + 30, kLamp);
  c.fillRect(21, top + 28, 23, top + 30, kSpark);
  c.fillRect(24, top + 28, 26, top + 30, kMouth);

  // Left arm always hangs; the right one does the waving.
  c.line(9, top + 23, 8, top + 32, kMetal, 1.6);
  c.fillEllipse(8.5, top + 34.5, 2.5, 2.5, kDark);
  // Where the waving arm ends, and its hand, for each Arm in order.
  struct ArmShape {
    int x, y;
    double handX, handY;
  };
  constexpr ArmShape kArms[] = {{36, 32, 36.5, 34.5}, {38, 15, 38.5, 12.5}, {40, 16, 41, 13.5}, {36, 15, 35.5, 12.5}};
  const ArmShape& arm = kArms[static_cast<int>(p.arm)];
  c.line(35, top + 23, arm.x, top + arm.y, kMetal, 1.6);
  c.fillEllipse(arm.handX, top + arm.handY, 2.5, 2.5, kDark);

  // Head: a rounded box with a screen for a face, ears at the sides.
  c.fillRect(8, top + 6, 11, top + 12, kDark);
  c.fillRect(33, top + 6, 36, top + 12, kDark);
  c.fillRect(11, top + 1, 33, top + 19, kLight);
  c.fillRect(12, top, 32, top + 20, kLight);
  c.fillRect(14, top + 3, 30, top + 16, kScreen);
  c.fillRect(12, top + 17, 32, top + 19, kMetal);

  if (p.sparks) {
    for (int x : {10, 22, 34}) {
      c.line(x, top + 49, x - 2, top + 52, kSpark);
      c.line(x, top + 49, x + 2, top + 52, kSpark);
      c.set(x, top + 51, kSpark);
    }
  }
  c.outline(kLine);
  DrawFace(c, p.face, top);
  return c;
}

}  // namespace

SampleMascot MakeBolt() {
  SampleMascot m;
  m.name = "Bolt";
  m.mascotInfo = "A tin robot built from spare parts, friendly to every window it meets.";
  m.readme =
      "Bolt\r\n\r\nBolt stands on your window, flashes its antenna and waves hello.\r\n"
      "Click Bolt to see it jump for joy.\r\n\r\nPictures: 8-bit PCX files. Sound: beep-boop.";
  m.palette = kPalette;
  const PictureFormat f = PictureFormat::Pcx8;
  m.pictures = {
      {"bolt-idle", Draw({}), f},
      {"bolt-lamp", Draw({.lampOn = true}), f},
      {"bolt-blink", Draw({.face = Face::Blink}), f},
      {"bolt-raise", Draw({.arm = Arm::Raised, .face = Face::Happy}), f},
      {"bolt-wave-out", Draw({.arm = Arm::WaveOut, .face = Face::Happy}), f},
      {"bolt-wave-in", Draw({.arm = Arm::WaveIn, .face = Face::Happy}), f},
      {"bolt-surprised", Draw({.arm = Arm::Raised, .face = Face::Surprised, .lampOn = true}), f},
      {"bolt-jump", Draw({.lift = 5, .arm = Arm::Raised, .face = Face::Happy, .lampOn = true, .sparks = true}), f},
  };
  m.frames = {
      {0, 1200, 2800},
      {1, 250, 350},
      {0, 250, 350, 1, 1, 2},  // the lamp flashes a few times
      {2, 120, 160},
      {0, 800, 1600},
      {3, 200, 260},
      {4, 180, 220},
      {5, 180, 220, 6, 2, 4},  // wave back and forth
      {3, 200, 260},
      {0, 400, 600, 0},
      {6, 250, 300},           // click: surprise, then jump for joy
      {7, 160, 200},
      {6, 120, 140, 11, 1, 2},
      {4, 500, 700, 0},
  };
  m.clickStart = 10;
  m.clickEnd = 13;
  m.clickSound = {{880, 900, 90}, {0, 0, 25}, {660, 640, 110}};
  m.xOffset = 70;
  return m;
}

}  // namespace samples
