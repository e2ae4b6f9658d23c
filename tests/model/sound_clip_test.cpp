#include "model/sound_clip.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "test_files.h"

namespace mascot {
namespace {

TEST(LoadSound, HoldsTheFileUntilThePathIsClearedAndReportsFailures) {
  std::string folder = test::ScratchFolder("sound");
  MascotDocument document;
  document.soundPath = folder + "/click.wav";
  test::WriteBytes(document.soundPath, {'R', 'I', 'F', 'F', 9});
  ASSERT_TRUE(LoadSound(document));
  EXPECT_EQ(*document.soundData, (SoundBytes{'R', 'I', 'F', 'F', 9}));
  std::filesystem::remove(document.soundPath);
  EXPECT_TRUE(LoadSound(document));  // held data is not read again
  document.soundPath.clear();
  EXPECT_FALSE(LoadSound(document));
  EXPECT_FALSE(document.soundData);

  document.soundPath = folder + "/click.wav";
  EXPECT_FALSE(LoadSound(document));
  EXPECT_EQ(document.loadErrors, "Error (2802)! Opening sound file \"" + document.soundPath +
                                     "\" - No such file or directory\r\n");
  document.soundPath = folder + "/huge.wav";
  test::WriteBytes(document.soundPath, {'R'});
  std::filesystem::resize_file(document.soundPath, 64ull * 1024 * 1024 + 1);  // sparse
  EXPECT_FALSE(LoadSound(document));
  EXPECT_EQ(document.loadErrors, "Error (2827)! Reading sound file \"" + document.soundPath + "\" - File too large\r\n");
}

}  // namespace
}  // namespace mascot
