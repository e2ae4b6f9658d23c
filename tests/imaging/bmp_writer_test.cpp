#include <gtest/gtest.h>

#include <filesystem>

#include "imaging/bmp_writer.h"
#include "imaging/image_file_loader.h"
#include "scratch_folder.h"

namespace mascot {
namespace {

struct Case {
  int width;
  int bitsPerPixel;
  int tableSize;
  bool customMasks;
};

// Every depth, odd widths so that rows carry padding, tables shorter than the
// depth allows (and none at all), and 16-bit masks that must be stored.
const Case kCases[] = {
    {13, 1, 2, false}, {7, 4, 5, false}, {5, 8, 3, false},  {6, 8, 0, false}, {9, 8, 256, false},
    {3, 16, 0, false}, {3, 16, 0, true}, {5, 24, 0, false}, {2, 32, 0, false},
};

std::shared_ptr<Bitmap> MakePicture(const Case& c) {
  auto bitmap = Bitmap::Create(c.width, 3, c.bitsPerPixel);
  for (std::size_t i = 0; i < bitmap->byteSize(); ++i) bitmap->bits()[i] = static_cast<std::uint8_t>(i * 37 + 11);
  for (int i = 0; i < c.tableSize; ++i)
    bitmap->colourTable().push_back({std::uint8_t(i), std::uint8_t(255 - i), std::uint8_t(i * 3), 0});
  if (c.customMasks) bitmap->setMasks(0xF800, 0x07E0, 0x001F);
  return bitmap;
}

TEST(BmpWriter, WrittenFilesReadBackAsTheSamePicture) {
  auto folder = testing::ScratchFolder();
  int n = 0;
  for (const Case& c : kCases) {
    SCOPED_TRACE(::testing::Message() << "depth " << c.bitsPerPixel << ", table " << c.tableSize);
    auto original = MakePicture(c);
    std::string path = (folder / ("picture" + std::to_string(n++) + ".bmp")).string();
    ASSERT_TRUE(WriteBmpFile(*original, path));

    auto read = LoadImageFile(path);
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(read->width(), original->width());
    EXPECT_EQ(read->height(), original->height());
    EXPECT_EQ(read->bitsPerPixel(), original->bitsPerPixel());
    EXPECT_EQ(read->colourTable(), original->colourTable());
    EXPECT_EQ(read->redMask(), original->redMask());
    EXPECT_EQ(read->greenMask(), original->greenMask());
    ASSERT_EQ(read->byteSize(), original->byteSize());
    EXPECT_TRUE(std::equal(read->bits(), read->bits() + read->byteSize(), original->bits()));
  }
}

TEST(BmpWriter, AMissingFolderFailsCleanly) {
  auto folder = testing::ScratchFolder();
  auto bitmap = MakePicture(kCases[2]);
  EXPECT_FALSE(WriteBmpFile(*bitmap, (folder / "missing" / "x.bmp").string()));
  EXPECT_TRUE(std::filesystem::is_empty(folder));
}

}  // namespace
}  // namespace mascot
