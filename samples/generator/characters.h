#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "canvas.h"
#include "click_sound.h"
#include "picture_files.h"

namespace samples {

struct SamplePicture {
  std::string name;  // file name without extension
  Canvas canvas;
  PictureFormat format;
};

struct SampleFrame {
  int picture;  // index into pictures
  std::uint32_t minDelay;
  std::uint32_t maxDelay;
  std::int32_t jump = -1;
  std::uint32_t minLoops = 0;  // both 0 with a jump: always jump
  std::uint32_t maxLoops = 0;
};

// Everything one sample mascot is made of.
struct SampleMascot {
  std::string name;
  std::string mascotInfo;
  std::string readme;
  Palette palette;
  std::vector<SamplePicture> pictures;
  std::vector<SampleFrame> frames;
  std::int32_t clickStart = -1;
  std::int32_t clickEnd = -1;
  std::vector<Tone> clickSound;
  std::int32_t xOffset = 0;  // percent of the free width
  std::int32_t yOffset = 0;
};

SampleMascot MakePip();   // a round bird that hops
SampleMascot MakeBolt();  // a little robot that waves
SampleMascot MakeMoss();  // a moss blob that grows a flower

}  // namespace samples
