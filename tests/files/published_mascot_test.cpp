#include <gtest/gtest.h>

#include <map>
#include <tuple>

#include <cerrno>

#include "errors/error_text.h"
#include "errors/system_error.h"
#include "files/image_table.h"
#include "files/mascot_record.h"
#include "files/mascot_samples.h"
#include "files/utf16_text.h"
#include "scratch_folder.h"
#include "sound/sound_file.h"
#include "storage/lzss.h"
#include "storage/resource_file_reader.h"
#include "storage/resource_file_writer.h"

namespace mascot {
namespace {

using testing::Bytes;
using testing::Le32;
using testing::PutLe32;

struct Published {
  std::vector<std::uint32_t> types;  // dictionary order
  std::map<std::uint32_t, Bytes> data;
};

Published ReadBack(const std::filesystem::path& path) {
  ResourceFileReader reader;
  EXPECT_TRUE(reader.Open(path.string()));
  Published out;
  for (const auto& [key, entry] : reader.Dictionary()) {
    EXPECT_EQ(key.second, kPublishedResourceId);
    out.types.push_back(key.first);
    out.data[key.first] = reader.Load(key.first, key.second)->data;
  }
  return out;
}

std::u16string SlotText(const Bytes& record, std::size_t offset) {
  std::u16string text;
  for (std::size_t at = offset; record.at(at) | record.at(at + 1); at += 2)
    text += static_cast<char16_t>(record[at] | record[at + 1] << 8);
  return text;
}

TEST(PublishedMascotTest, WithoutReadmeOrSoundHoldsRecordAndPicturesOnly) {
  const auto path = testing::ScratchFolder() / "plain.mascot";
  const MascotDocument document = testing::SampleMascot();
  ASSERT_TRUE(PublishMascot(path.string(), document));

  const Published file = ReadBack(path);
  EXPECT_EQ(file.types, (std::vector<std::uint32_t>{kImageTableType, kMascotRecordType}));
  const Bytes& record = file.data.at(kMascotRecordType);
  EXPECT_EQ(Le32(record, 0), 0x0100u);
  EXPECT_EQ(Le32(record, 12), 2u | 16u);
  EXPECT_EQ(Le32(record, 32), 0u);   // no sound
  // Slots are (UTF-8 bytes + 1) units long, in the order name, creator,
  // mascot info, balloon text, balloon font.
  const std::uint32_t creator = 96 + 2 * (document.name.size() + 1);
  EXPECT_EQ(Le32(record, 84), creator);
  EXPECT_EQ(SlotText(record, 96), u"Zoë the 🦊");
  EXPECT_EQ(SlotText(record, creator), u"Åsa Berg\r\nasa@example.org");
  const std::uint32_t table = Le32(record, 80);
  EXPECT_EQ(Le32(record, 76) + 2 * (document.balloonFont.size() + 1), table);
  EXPECT_EQ(record.size(), table + 3 * 24);

  const Bytes& images = file.data.at(kImageTableType);
  ASSERT_EQ(Le32(images, 0), 2u);
  const std::uint32_t first = Le32(images, 4), second = Le32(images, 8);
  // width, stride, height, depth, colours, rectangles; records are packed
  // by their real colour count, the table sized for a full one.
  EXPECT_EQ((Bytes(images.begin() + first, images.begin() + first + 24)),
            (Bytes{7, 0, 0, 0, 8, 0, 0, 0, 4, 0, 0, 0, 8, 0, 0, 0, 16, 0, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(second, first + 24 + 16 * 4 + 8 * 4);
  EXPECT_EQ(Le32(images, second + 4), 16u);  // 5 pixels of 3 bytes, rounded up to 4
  EXPECT_EQ(images.size(), 12u + (24 + 1024 + 8 * 4) + (24 + 16 * 3));
}

TEST(PublishedMascotTest, ReadmeAndSoundAddTheirResourcesInCodeOrder) {
  const auto path = testing::ScratchFolder() / "full.mascot";
  MascotDocument document = testing::SampleMascot();
  document.readme = "Read me, please.";
  const Bytes sound = {'R', 'I', 'F', 'F', 4, 0, 0, 0, 'W', 'A', 'V', 'E', 0xFF};
  document.soundData = std::make_shared<const SoundBytes>(sound);
  document.soundSize = static_cast<std::uint32_t>(sound.size());
  ASSERT_TRUE(PublishMascot(path.string(), document));

  const Published file = ReadBack(path);
  EXPECT_EQ(file.types, (std::vector<std::uint32_t>{kClickSoundType, kImageTableType, kMascotRecordType, kReadmeType}));
  EXPECT_EQ(Le32(file.data.at(kMascotRecordType), 0), 0x0102u);
  EXPECT_EQ(Le32(file.data.at(kMascotRecordType), 32), 100u);
  EXPECT_EQ(file.data.at(kClickSoundType), sound);
  EXPECT_EQ(file.data.at(kReadmeType), testing::TextBytes(std::string("Read me, please.") + '\0'));

  auto opened = OpenPublishedMascot(path.string());
  ASSERT_TRUE(opened);
  EXPECT_EQ(opened->readme, document.readme);
  EXPECT_EQ(opened->formatVersion, 0x0102u);
  ASSERT_TRUE(opened->soundData);
  EXPECT_EQ(*opened->soundData, sound);
  EXPECT_EQ(opened->soundSize, sound.size());
  EXPECT_EQ(opened->soundPath, "Sound 100");
}

TEST(PublishedMascotTest, RoundTripKeepsFieldsPicturesAndBytes) {
  const auto folder = testing::ScratchFolder();
  const MascotDocument document = testing::SampleMascot();
  ASSERT_TRUE(PublishMascot((folder / "a.mascot").string(), document));
  ASSERT_TRUE(PublishMascot((folder / "b.mascot").string(), document));
  EXPECT_EQ(testing::ReadBytes(folder / "a.mascot"), testing::ReadBytes(folder / "b.mascot"));

  auto opened = OpenPublishedMascot((folder / "a.mascot").string());
  ASSERT_TRUE(opened) << GetLastErrorText();
  const MascotDocument& d = *opened;
  EXPECT_EQ(d.filePath, (folder / "a.mascot").string());
  EXPECT_EQ(d.formatVersion, 0x0100u);
  for (auto field : {&MascotDocument::name, &MascotDocument::creatorInfo, &MascotDocument::mascotInfo,
                     &MascotDocument::balloonText, &MascotDocument::balloonFont})
    EXPECT_EQ(d.*field, document.*field);
  auto numbers = [](const MascotDocument& m) {
    return std::tuple(m.clickSequenceDefined, m.clickStartIndex, m.clickEndIndex, m.xOffset, m.yOffset,
                      m.offsetIsPercent, m.offsetRelativeToRightEdge, m.balloonFontSize, m.balloonBackColor,
                      m.balloonTextColor);
  };
  EXPECT_EQ(numbers(d), numbers(document));
  EXPECT_FALSE(d.soundData);
  EXPECT_TRUE(d.soundPath.empty());
  ASSERT_EQ(d.frames.size(), 3u);
  for (std::size_t i = 0; i < 3; ++i) {
    const FrameRecord &a = d.frames[i], &b = document.frames[i];
    EXPECT_EQ(std::tie(a.imageIndex, a.minFrameDelay, a.maxFrameDelay, a.jumpFrame, a.minLoopCount, a.maxLoopCount),
              std::tie(b.imageIndex, b.minFrameDelay, b.maxFrameDelay, b.jumpFrame, b.minLoopCount, b.maxLoopCount));
  }

  ASSERT_EQ(d.images.size(), 2u);
  for (std::size_t i = 0; i < 2; ++i) {
    const Bitmap& original = *document.images[i].bitmap;
    const Bitmap& back = *d.images[i].bitmap;
    EXPECT_EQ(back.bitsPerPixel(), original.bitsPerPixel());
    EXPECT_EQ(back.colourTable(), original.colourTable());
    EXPECT_EQ(Bytes(back.bits(), back.bits() + back.byteSize()),
              Bytes(original.bits(), original.bits() + original.byteSize()));
    ASSERT_TRUE(d.images[i].region);
    EXPECT_EQ(*d.images[i].region, *document.images[i].region);
    EXPECT_TRUE(d.images[i].fileName.empty());
  }
  // Opening and publishing again changes nothing.
  ASSERT_TRUE(PublishMascot((folder / "c.mascot").string(), d));
  EXPECT_EQ(testing::ReadBytes(folder / "c.mascot"), testing::ReadBytes(folder / "a.mascot"));
}

// Pictures large enough for the coder to spread over threads: the file
// must not depend on how many it had.
TEST(PublishedMascotTest, FilesAreTheSameWhateverTheThreads) {
  const auto folder = testing::ScratchFolder();
  MascotDocument document = testing::SampleMascot();
  document.images = {testing::ImageOf(testing::IndexedPicture(320, 150)),
                     testing::ImageOf(testing::TrueColourPicture(90, 100))};
  for (unsigned threads : {1u, 0u, 3u}) {
    SetDefaultCompressionThreads(threads);
    ASSERT_TRUE(PublishMascot((folder / (std::to_string(threads) + ".mascot")).string(), document));
  }
  SetDefaultCompressionThreads(0);
  const Bytes one = testing::ReadBytes(folder / "1.mascot");
  EXPECT_EQ(testing::ReadBytes(folder / "0.mascot"), one);
  EXPECT_EQ(testing::ReadBytes(folder / "3.mascot"), one);
}

TEST(PublishedMascotTest, RowPaddingAndUnusedBitsAreWrittenAsZero) {
  auto bitmap = Bitmap::Create(3, 1, 4);  // 12 bits used of a 4-byte row
  bitmap->colourTable() = {{0, 0, 0, 0}, {255, 255, 255, 0}};
  bitmap->row(0)[0] = 0x01, bitmap->row(0)[1] = 0x1F, bitmap->row(0)[2] = 0xAB, bitmap->row(0)[3] = 0xCD;
  auto table = BuildImageTable({testing::ImageOf(bitmap)});
  ASSERT_TRUE(table);
  const std::size_t pixels = 8 + 24 + 2 * 4;
  EXPECT_EQ(Bytes(table->begin() + pixels, table->begin() + pixels + 4), (Bytes{0x01, 0x10, 0, 0}));
}

TEST(PublishedMascotTest, StoredRectanglesGiveTheShapeClippedToThePicture) {
  const auto path = testing::ScratchFolder() / "rects.mascot";
  auto record = BuildMascotRecord(testing::SampleMascot(), 0x0102, 100, 0);
  Bytes table;
  testing::AppendLe32(table, {1, 8, 4, 12, 2, 24, 0, 2});       // 4 x 2, 24-bit, two rectangles
  testing::AppendLe32(table, {0, 0, 1, 1, 2, static_cast<std::uint32_t>(-5), 9, 1});
  table.resize(table.size() + 2 * 12, 0);                       // pixels all alike: no shape of their own
  testing::WriteContainer(path, {{kMascotRecordType, *record}, {kImageTableType, table}});

  auto opened = OpenPublishedMascot(path.string());
  ASSERT_TRUE(opened) << GetLastErrorText();
  ASSERT_EQ(opened->images.size(), 1u);
  Region expected(Rect{0, 0, 1, 1});
  expected.unite(Rect{2, 0, 4, 1});
  ASSERT_TRUE(opened->images[0].region);
  EXPECT_EQ(*opened->images[0].region, expected);
  EXPECT_TRUE(opened->images[0].rects.empty());
}

// A sample file with one word of the record replaced.
std::filesystem::path PublishWithRecordWord(const std::filesystem::path& folder, std::size_t at, std::uint32_t value) {
  const auto path = folder / "patched.mascot";
  MascotDocument document = testing::SampleMascot();
  auto record = BuildMascotRecord(document, 0x0100, 100, 0);
  auto images = BuildImageTable(document.images);
  PutLe32(*record, at, value);
  testing::WriteContainer(path, {{kMascotRecordType, *record}, {kImageTableType, Bytes(images->begin(), images->end())}});
  return path;
}

TEST(PublishedMascotTest, OnlyTheMajorVersionCanRefuseAFile) {
  const auto folder = testing::ScratchFolder();
  auto newerMinor = OpenPublishedMascot(PublishWithRecordWord(folder, 0, 0x01FF).string());
  ASSERT_TRUE(newerMinor);
  EXPECT_EQ(newerMinor->formatVersion, 0x01FFu);

  const auto path = PublishWithRecordWord(folder, 0, 0x0200).string();
  EXPECT_FALSE(OpenPublishedMascot(path));
  EXPECT_EQ(GetLastErrorText(), "Error (2900)! Opening \"" + path +
                                    "\" - The file's v2.0 format is not supported by this program "
                                    "(which can only support up to v1.2).\r\n");
}

TEST(PublishedMascotTest, DamagedFilesFailWithTheirOpeningText) {
  const auto folder = testing::ScratchFolder();
  const MascotDocument sample = testing::SampleMascot();
  const Bytes record = *BuildMascotRecord(sample, 0x0100, 100, 0);
  const auto table = *BuildImageTable(sample.images);
  const Bytes images(table.begin(), table.end());
  const std::string endOfFile = "Encountered End of file unexpectedly possibly due to corrupted file.\r\n";

  struct Case {
    const char* name;
    Bytes record;
    Bytes images;
    std::string message;
  };
  auto patched = [](Bytes bytes, std::size_t at, std::uint32_t value) {
    PutLe32(bytes, at, value);
    return bytes;
  };
  const std::vector<Case> cases = {
      {"truncated record", Bytes(record.begin(), record.begin() + 60), images, endOfFile},
      {"frame table past the end", patched(record, 8, 0x10000000), images, endOfFile},
      {"name past the end", patched(record, 68, 0xFFFFFFF0), images, endOfFile},
      {"picture offset past the end", record, patched(images, 4, 0x7FFFFFFF), endOfFile},
      {"more offsets than bytes", record, patched(images, 0, 0x40000000), endOfFile},
      {"pixels past the end", record, Bytes(images.begin(), images.begin() + 132 + 24 + 10), endOfFile},
      {"rectangle count past the end", record, patched(images, 12 + 20, 0x01000000), endOfFile},
      {"no usable picture", record, patched(patched(images, 12 + 12, 7), 4 + 4 + 24 + 16 * 4 + 8 * 4 + 12, 0),
       "Invalid argument\r\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const auto path = folder / "damaged.mascot";
    testing::WriteContainer(path, {{kMascotRecordType, c.record}, {kImageTableType, c.images}});
    EXPECT_FALSE(OpenPublishedMascot(path.string()));
    EXPECT_TRUE(GetLastErrorText().starts_with("Error (")) << GetLastErrorText();
    EXPECT_TRUE(GetLastErrorText().ends_with("! Opening \"" + path.string() + "\" - " + c.message))
        << GetLastErrorText();
  }

  // A damaged container fails at the container's own stage.
  const auto garbage = folder / "garbage.mascot";
  testing::WriteBytes(garbage, testing::TextBytes("not a mascot at all"));
  EXPECT_FALSE(OpenPublishedMascot(garbage.string()));
  EXPECT_EQ(GetLastErrorText(),
            "Error (2000)! Opening \"" + garbage.string() + "\" - File is not a recognized QVR resource file.\r\n");
}

// The sound and the read-me are extras: a mascot whose sound or read-me
// cannot be had still opens, without it, and says why in its load errors.
TEST(PublishedMascotTest, ExtrasThatCannotBeReadAreLeftOut) {
  const auto folder = testing::ScratchFolder();
  const MascotDocument sample = testing::SampleMascot();
  const Bytes record = *BuildMascotRecord(sample, 0x0102, 100, 100);
  const auto table = *BuildImageTable(sample.images);
  const Bytes images(table.begin(), table.end());
  // A block header that announces more than its stream holds.
  Bytes damagedBlock = {16, 0, 0, 0, 0xFF, 0xFF, 0, 0, 1, 2, 3, 4, 5, 6, 7, 8};
  Bytes tooLarge(kMaxSoundFileSize + 1, 0x80);

  struct Case {
    const char* name;
    Bytes sound;
    bool soundCompressed;
    Bytes readme;
    bool readmeCompressed;
    std::string loadErrors;  // after the path
    bool hasSound;
    std::string readmeText;
  };
  const std::string endOfFile =
      "Encountered End of file unexpectedly possibly due to corrupted file.\r\n";
  const std::vector<Case> cases = {
      {"damaged sound", damagedBlock, true, testing::TextBytes("Hi"), false,
       "Error (2500)! Loading sound \"{}\" - " + endOfFile, false, "Hi"},
      {"sound beyond the cap", tooLarge, false, testing::TextBytes("Hi"), false,
       "Error (2827)! Loading sound \"{}\" - File too large\r\n", false, "Hi"},
      {"damaged read-me", testing::TextBytes("RIFF"), false, damagedBlock, true,
       "Error (2500)! Loading read-me \"{}\" - " + endOfFile, true, ""},
      {"read-me in Windows-1252", testing::TextBytes("RIFF"), false, Bytes{'C', 'a', 'f', 0xE9, ' ', 0x93, 'F', 0x94, 0},
       false, "", true, "Caf\u00e9 \u201cF\u201d"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const auto path = folder / "extras.mascot";
    {
      ResourceFileWriter writer;
      ASSERT_TRUE(writer.Open(path.string(), true));
      ASSERT_TRUE(writer.WriteResource(record, kMascotRecordType, 100, false));
      ASSERT_TRUE(writer.WriteResource(images, kImageTableType, 100, false));
      ASSERT_TRUE(writer.WriteResource(c.sound, kClickSoundType, 100, c.soundCompressed));
      ASSERT_TRUE(writer.WriteResource(c.readme, kReadmeType, 100, c.readmeCompressed));
      ASSERT_TRUE(writer.Close());
    }
    const auto document = OpenPublishedMascot(path.string());
    ASSERT_TRUE(document) << GetLastErrorText();
    EXPECT_EQ(document->images.size(), sample.images.size());
    EXPECT_EQ(document->soundData != nullptr, c.hasSound);
    EXPECT_EQ(document->readme, c.readmeText);
    std::string expected = c.loadErrors;
    if (auto at = expected.find("{}"); at != std::string::npos) expected.replace(at, 2, path.string());
    EXPECT_EQ(document->loadErrors, expected);
  }
}

TEST(PublishedMascotTest, PicturesThatCannotBeBitmapsAreSkipped) {
  const auto path = testing::ScratchFolder() / "skip.mascot";
  const MascotDocument sample = testing::SampleMascot();
  const auto table = *BuildImageTable(sample.images);
  Bytes images(table.begin(), table.end());
  PutLe32(images, 12 + 12, 3);  // the first picture gets an unknown depth
  testing::WriteContainer(path, {{kMascotRecordType, *BuildMascotRecord(sample, 0x0100, 100, 0)},
                                 {kImageTableType, images}});
  ::testing::internal::CaptureStderr();
  auto opened = OpenPublishedMascot(path.string());
  EXPECT_EQ(::testing::internal::GetCapturedStderr(),
            "CreateDIBSection(): error = " + std::to_string(CrtErrorCode(EINVAL)) + "\n");
  ASSERT_TRUE(opened);
  ASSERT_EQ(opened->images.size(), 1u);
  EXPECT_EQ(opened->images[0].bitmap->bitsPerPixel(), 24);
}

TEST(PublishedMascotTest, StringsSurviveMalformedUnicode) {
  MascotDocument document;
  document.name = "a\xFF\xC3";  // a stray byte and a cut sequence still fit their slot
  EXPECT_EQ(SlotText(*BuildMascotRecord(document, 0x0100, 0, 0), 96), u"a\uFFFD\uFFFD");
  const char16_t units[] = {u'A', 0xDC00, 0xD83E, 0xDD8A};  // a lone surrogate, then a pair
  EXPECT_EQ(Utf16ToUtf8({units, 4}), "A\uFFFD🦊");
}

}  // namespace
}  // namespace mascot
