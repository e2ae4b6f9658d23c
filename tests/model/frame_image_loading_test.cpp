#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "model/mascot_document.h"
#include "test_files.h"

namespace mascot {
namespace {

// A white picture with an opaque square of one colour from (from, from) to (to, to).
void WriteSquare(const std::string& path, int size, int from, int to, std::uint32_t colour) {
  std::vector<std::uint32_t> pixels(static_cast<std::size_t>(size * size), 0xFFFFFF);
  for (int y = from; y < to; ++y)
    for (int x = from; x < to; ++x) pixels[static_cast<std::size_t>(y * size + x)] = colour;
  test::WriteBmp24(path, size, size, pixels);
}

MascotDocument WithFrames(const std::vector<std::string>& fileNames) {
  MascotDocument document;
  for (const std::string& name : fileNames) document.frames.emplace_back().fileName = name;
  return document;
}

TEST(FrameImageLoading, SharesEntriesByNameWithoutCaseAndRegionsByShape) {
  std::string folder = test::ScratchFolder("sharing");
  WriteSquare(folder + "/cat.bmp", 6, 1, 4, 0x0000FF);
  WriteSquare(folder + "/dog.bmp", 6, 1, 4, 0xFF0000);
  WriteSquare(folder + "/big.bmp", 7, 1, 6, 0xFF0000);
  // Only the first spelling exists on disk: the second must come from the cache.
  MascotDocument document =
      WithFrames({folder + "/cat.bmp", folder + "/CAT.BMP", "", folder + "/dog.bmp", folder + "/big.bmp"});
  ASSERT_TRUE(document.loadImages()) << document.loadErrors;
  ASSERT_EQ(document.images.size(), 3u);
  std::vector<std::int32_t> indices;
  for (const FrameRecord& frame : document.frames) indices.push_back(frame.imageIndex);
  EXPECT_EQ(indices, (std::vector<std::int32_t>{0, 0, -1, 1, 2}));
  EXPECT_EQ(document.findImageByName(folder + "/Dog.Bmp"), 1);

  EXPECT_EQ(document.images[0].region, document.images[1].region);
  EXPECT_NE(document.images[0].region, document.images[2].region);
  EXPECT_NE(document.images[0].fileTime, 0u);
  EXPECT_EQ(document.maxFrameSize(), (FrameSize{7, 7}));
}

TEST(FrameImageLoading, MissingFileLeavesItsFrameBlankWithOneErrorLine) {
  std::string folder = test::ScratchFolder("missing");
  WriteSquare(folder + "/a.bmp", 4, 1, 3, 0);
  MascotDocument document = WithFrames({folder + "/a.bmp", folder + "/b.bmp", folder + "/a.bmp"});
  document.frames[1].imageIndex = 7;
  document.loadErrors = "old text";
  EXPECT_FALSE(document.loadImages());
  EXPECT_EQ(document.frames[1].imageIndex, -1);
  EXPECT_EQ(document.frames[2].imageIndex, 0);
  // The message brings its own CR LF; the load appends another.
  EXPECT_EQ(document.getLoadErrors(),
            "Error (2802)! Loading image \"" + folder + "/b.bmp\" - No such file or directory\r\n");
}

TEST(FrameImageLoading, ForcedReloadReplacesTheSharedEntryInPlace) {
  std::string folder = test::ScratchFolder("force");
  std::string cat = folder + "/cat.bmp";
  WriteSquare(cat, 4, 1, 3, 0);
  WriteSquare(folder + "/dog.bmp", 9, 2, 4, 0);
  MascotDocument document = WithFrames({cat, folder + "/dog.bmp", cat});
  ASSERT_TRUE(document.loadImages());
  EXPECT_FALSE(document.isImageStale(2));

  WriteSquare(cat, 9, 2, 4, 0xFF);  // now the shape of dog.bmp
  std::filesystem::last_write_time(cat, std::filesystem::file_time_type::clock::now() + std::chrono::hours(1));
  EXPECT_TRUE(document.isImageStale(2));
  EXPECT_TRUE(document.loadFrameImage(0, false));
  EXPECT_EQ(document.images[0].width, 4);  // reused without force

  EXPECT_TRUE(document.loadFrameImage(0, true));
  EXPECT_EQ(document.images.size(), 2u);
  EXPECT_EQ(document.images[document.frames[2].imageIndex].width, 9);
  EXPECT_EQ(document.images[0].region, document.images[1].region);
  EXPECT_FALSE(document.isImageStale(2));
  std::filesystem::remove(cat);
  EXPECT_FALSE(document.isImageStale(0));
}

}  // namespace
}  // namespace mascot
