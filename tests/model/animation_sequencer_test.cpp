#include <gtest/gtest.h>

#include <vector>

#include "model/frame_timer.h"
#include "model/mascot_document.h"
#include "model/random_source.h"
#include "sound/sound_player.h"
#include "test_files.h"

namespace mascot {
namespace {

// Expected draws follow state = state * 1664525 + 1 (mod 2^32): from seed 0
// the states are 1, 1664526, 391234231, 3332033868; from seed 12345 they are
// 3368691942, 3171268527, 3499167204.
using Frames = std::vector<std::int32_t>;

struct FakePlayer : SoundPlayer {
  void playAsync(SoundData sound) override { played.push_back(sound); }
  void playSync(const SoundBytes&) override {}
  void playFileSync(std::string_view) override {}
  std::vector<SoundData> played;
};

MascotDocument Document(std::vector<FrameRecord> frames) {
  MascotDocument document;
  document.frames = std::move(frames);
  return document;
}

FrameRecord Frame(std::int32_t jump = -1, std::uint32_t minLoops = 0, std::uint32_t maxLoops = 0) {
  FrameRecord frame;
  frame.jumpFrame = jump, frame.minLoopCount = minLoops, frame.maxLoopCount = maxLoops;
  return frame;
}

FrameRecord Delays(std::uint32_t min, std::uint32_t max) {
  FrameRecord frame;
  frame.minFrameDelay = min, frame.maxFrameDelay = max;
  return frame;
}

Frames Steps(MascotDocument& document, int count) {
  Frames visited;
  for (int i = 0; i < count; ++i) document.advance(nullptr), visited.push_back(document.currentFrame);
  return visited;
}

TEST(Sequencer, DelaysLieInTheRangeWhicheverWayItIsGiven) {
  MascotDocument document = Document({Delays(100, 200), Delays(200, 100), Delays(150, 150), Delays(0, 0)});
  for (std::int32_t frame : {0, 1}) {
    document.currentFrame = frame;
    RandomSource::instance().seed(0);
    EXPECT_EQ(document.nextDelay(), 101u);
    EXPECT_EQ(document.nextDelay(), 126u);
  }
  document.currentFrame = 2;
  EXPECT_EQ(document.nextDelay(), 150u);
  EXPECT_EQ(RandomSource::instance().next(), 391234231u);  // equal bounds draw nothing
  document.currentFrame = 3;
  EXPECT_EQ(document.nextDelay(), 0u);
  document.currentFrame = 4;
  EXPECT_EQ(document.nextDelay(), 60u);
  document.currentFrame = 0, document.active = 0;
  EXPECT_EQ(document.nextDelay(), 60u);
}

// A delay of 0 must not run the frame timer on every pass of the event
// loop, and no delay may turn into a negative interval.
TEST(Sequencer, FrameTimerIntervalsHaveAFloorAndACeiling) {
  const std::pair<std::uint32_t, int> cases[] = {
      {0, 15}, {1, 15}, {15, 15}, {16, 16}, {1000, 1000}, {0x7FFFFFFF, 0x7FFFFFFF}, {0x80000000, 0x7FFFFFFF},
      {0xFFFFFFFF, 0x7FFFFFFF},
  };
  for (const auto& [delay, interval] : cases) EXPECT_EQ(FrameTimerInterval(delay), interval) << delay;
}

TEST(Sequencer, LoopCountsAreDrawnOnArrivalAndRedrawnAfterFallingThrough) {
  MascotDocument fixed = Document({Frame(), Frame(0, 2, 2), Frame()});
  EXPECT_EQ(Steps(fixed, 13), (Frames{1, 0, 1, 0, 1, 2, 0, 1, 0, 1, 0, 1, 2}));

  MascotDocument drawn = Document({Frame(), Frame(0, 3, 1), Frame()});
  RandomSource::instance().seed(12345);
  // 100 + state % 200 gives 242, 227, 104: 2 jumps, 2 jumps, 1 jump.
  EXPECT_EQ(Steps(drawn, 18), (Frames{1, 0, 1, 0, 1, 2, 0, 1, 0, 1, 0, 1, 2, 0, 1, 0, 1, 2}));

  MascotDocument halves = Document({Frame(0, 0, 1), Frame()});
  RandomSource::instance().seed(0);
  // state % 100 gives 1, 26, 31, 68: rounded to 0, 0, 0, 1 jumps.
  EXPECT_EQ(Steps(halves, 8), (Frames{1, 0, 1, 0, 1, 0, 0, 1}));

  // setFrame starts every count afresh.
  halves.frames[0].loopsLeft = 1;
  halves.setFrame(nullptr, 1);
  EXPECT_EQ(halves.frames[0].loopsLeft, -1);
}

TEST(Sequencer, JumpsWrapsAndStandingStill) {
  MascotDocument document = Document({Frame(3), Frame(), Frame(), Frame()});
  EXPECT_EQ(Steps(document, 4), (Frames{3, 0, 3, 0}));
  // After a jump outside the list the next step starts over as if from frame 0.
  document.frames = {Frame(), Frame(9), Frame()};
  EXPECT_EQ(Steps(document, 5), (Frames{1, 9, 1, 9, 1}));
  document.setActive(false);
  EXPECT_EQ(Steps(document, 1), (Frames{1}));
  MascotDocument empty;
  empty.currentFrame = 3;
  EXPECT_EQ(Steps(empty, 1), (Frames{0}));
}

TEST(Sequencer, SameSeedGivesTheSameSequence) {
  auto run = [] {
    MascotDocument document = Document({Delays(50, 900), Frame(0, 1, 5), Delays(900, 10)});
    RandomSource::instance().seed(777);
    std::vector<std::uint32_t> trace;
    for (int i = 0; i < 40; ++i) document.advance(nullptr), trace.push_back(document.nextDelay());
    return std::pair(trace, document.currentFrame);
  };
  EXPECT_EQ(run(), run());
}

TEST(Sequencer, ClickStartsOutsideTheClickFramesWithItsSound) {
  MascotDocument document = Document(std::vector<FrameRecord>(8));
  document.clickSequenceDefined = 1, document.clickStartIndex = 5, document.clickEndIndex = 7;
  document.soundPath = test::ScratchFolder("click") + "/click.wav";
  test::WriteBytes(document.soundPath, {'R', 'I', 'F', 'F'});
  FakePlayer player;
  document.currentFrame = 6;
  EXPECT_FALSE(document.startClick(nullptr, &player));
  EXPECT_EQ(document.currentFrame, 6);
  document.currentFrame = 2;
  EXPECT_TRUE(document.startClick(nullptr, &player));
  EXPECT_EQ(document.currentFrame, 5);
  EXPECT_EQ(player.played, std::vector<SoundData>{document.soundData});

  document.soundPath.clear();  // no sound: the animation starts silently
  document.currentFrame = 0;
  EXPECT_TRUE(document.startClick(nullptr, &player));
  EXPECT_EQ(player.played.size(), 1u);
}

}  // namespace
}  // namespace mascot
