#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>
#include <sstream>

#include "errors/error_text.h"
#include "errors/system_error.h"
#include "files/file_dialogs.h"
#include "files/work_file.h"
#include "files/work_text.h"
#include "scratch_folder.h"

namespace mascot {
namespace {

std::string ReadText(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

void WriteText(const std::filesystem::path& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

MascotDocument WorkMascot() {
  MascotDocument d;
  d.name = "Pip";
  d.soundPath = "sounds/squeak.wav";
  d.creatorInfo = "Mara Lind  \r\nmara@example.org";
  d.mascotInfo = "Drawn\tin winter";
  d.readme = "Line one\r\nLine two\r\n\r\n  ";
  d.clickSequenceDefined = d.offsetIsPercent = 1;
  d.clickStartIndex = d.clickEndIndex = 1;
  d.xOffset = 50;
  d.yOffset = -4;
  FrameRecord first;
  first.fileName = "art/pip1.bmp";
  first.minFrameDelay = 100;
  first.maxFrameDelay = 0xFFFFFFF0;  // beyond the signed range, still kept
  FrameRecord second;
  second.fileName = "art/pip2.pcx";
  second.jumpFrame = 0;
  second.maxLoopCount = 3;
  d.frames = {first, second};
  return d;
}

TEST(WorkFileTest, SavesEveryFieldAndReadsItBack) {
  const auto path = testing::ScratchFolder() / "pip.wmascot";
  const MascotDocument document = WorkMascot();
  ASSERT_TRUE(SaveWorkFile(path.string(), document));

  const std::string text = ReadText(path);
  EXPECT_TRUE(text.starts_with("; Configuration file for Tovra Mascot\r\n")) << text;
  EXPECT_NE(text.find("CreatorName = Mara Lind  \\nmara@example.org\r\n"), std::string::npos) << text;
  EXPECT_NE(text.find("ContactInfo = Drawn\\tin winter\r\n"), std::string::npos);
  EXPECT_NE(text.find("Readme = Line one\\nLine two\r\n"), std::string::npos);
  EXPECT_NE(text.find("[Frame2]\r\nFilename = art/pip2.pcx\r\nJumpFrame = 0\r\n"), std::string::npos);
  EXPECT_EQ(text.find("Balloon"), std::string::npos);

  auto loaded = LoadWorkFile(path.string());
  ASSERT_TRUE(loaded);
  const MascotDocument& d = *loaded;
  EXPECT_EQ(d.filePath, path.string());
  for (auto field : {&MascotDocument::name, &MascotDocument::soundPath, &MascotDocument::creatorInfo,
                     &MascotDocument::mascotInfo})
    EXPECT_EQ(d.*field, document.*field);
  EXPECT_EQ(d.readme, "Line one\r\nLine two");
  auto numbers = [](const MascotDocument& m) {
    return std::tuple(m.clickSequenceDefined, m.clickStartIndex, m.clickEndIndex, m.xOffset, m.yOffset,
                      m.offsetIsPercent, m.offsetRelativeToRightEdge, m.balloonFontSize, m.balloonBackColor,
                      m.balloonTextColor);
  };
  EXPECT_EQ(numbers(d), numbers(document));  // without balloon keys the new document's values stand
  ASSERT_EQ(d.frames.size(), 2u);
  for (std::size_t i = 0; i < 2; ++i) {
    const FrameRecord &a = d.frames[i], &b = document.frames[i];
    EXPECT_EQ(std::tie(a.fileName, a.minFrameDelay, a.maxFrameDelay, a.jumpFrame, a.minLoopCount, a.maxLoopCount),
              std::tie(b.fileName, b.minFrameDelay, b.maxFrameDelay, b.jumpFrame, b.minLoopCount, b.maxLoopCount));
  }
}

TEST(WorkFileTest, LongTextsAreSavedWholeAndCutOnLoading) {
  const auto path = testing::ScratchFolder() / "long.wmascot";
  MascotDocument document;
  document.name = std::string(30, 'n') + "äöü" + std::string(7, 'x');  // 40 characters, 43 bytes
  document.balloonText = std::string(300, 'b');
  document.balloonBackColor = 0x00FFEEDD;
  document.balloonFont = std::string(40, 'f');
  document.creatorInfo = std::string(200, 'c');
  document.mascotInfo = std::string(127, 'm') + "€€";
  ASSERT_TRUE(SaveWorkFile(path.string(), document));
  EXPECT_NE(ReadText(path).find(document.name), std::string::npos);

  auto loaded = LoadWorkFile(path.string());
  ASSERT_TRUE(loaded);
  EXPECT_EQ(loaded->name, std::string(30, 'n') + "äö");
  EXPECT_EQ(loaded->balloonText.size(), 256u);
  EXPECT_EQ(loaded->balloonBackColor, document.balloonBackColor);
  EXPECT_EQ(loaded->balloonFont.size(), 32u);
  EXPECT_EQ(loaded->creatorInfo.size(), 180u);
  EXPECT_EQ(loaded->mascotInfo, std::string(127, 'm') + "€");
}

TEST(WorkFileTest, FramesEndAtTheFirstMissingNumber) {
  const auto path = testing::ScratchFolder() / "gap.wmascot";
  WriteText(path,
            "[Mascot]\r\nName = Gappy\r\n"
            "[Frame1]\r\nFilename = a.bmp\r\n"
            "[Frame2]\r\nMinFrameDelay = 7\r\n"
            "[Frame4]\r\nFilename = d.bmp\r\n"
            "[Frame3000000000]\r\nFilename = far.bmp\r\n");
  auto loaded = LoadWorkFile(path.string());
  ASSERT_TRUE(loaded);
  EXPECT_EQ(loaded->name, "Gappy");
  ASSERT_EQ(loaded->frames.size(), 2u);
  EXPECT_EQ(loaded->frames[1].fileName, "");
  EXPECT_EQ(loaded->frames[1].minFrameDelay, 7u);
  EXPECT_EQ(loaded->frames[1].jumpFrame, 0);  // a missing key reads as 0
}

TEST(WorkFileTest, MissingAndEmptyFiles) {
  const auto folder = testing::ScratchFolder();
  EXPECT_FALSE(LoadWorkFile((folder / "none.wmascot").string()));
  WriteText(folder / "empty.wmascot", "; nothing here\r\n");
  SetLastSystemError(0);
  EXPECT_FALSE(LoadWorkFile((folder / "empty.wmascot").string()));
  // The shell composes its message from the last error: it must say why.
  EXPECT_EQ(ErrorText("Opening", "e", 0),
            "Error (2500)! Opening \"e\" - Encountered End of file unexpectedly possibly due to corrupted file.\r\n");
  // Saving over a file without entries writes it afresh.
  EXPECT_TRUE(SaveWorkFile((folder / "empty.wmascot").string(), WorkMascot()));
  EXPECT_TRUE(LoadWorkFile((folder / "empty.wmascot").string()));
  EXPECT_FALSE(SaveWorkFile("", WorkMascot()));

  const auto locked = folder / "locked.wmascot";
  WriteText(locked, "[Mascot]\r\nName = Old\r\n");
  chmod(locked.c_str(), 0444);
  EXPECT_FALSE(SaveWorkFile(locked.string(), WorkMascot()));
  EXPECT_EQ(ReadText(locked), "[Mascot]\r\nName = Old\r\n");
}

TEST(WorkTextTest, EscapingRules) {
  const struct {
    std::string plain, escaped;
  } saved[] = {
      {"one\r\ntwo", "one\\ntwo"},  {"cr\ronly", "cr\\nonly"}, {"lf\nonly", "lf\\nonly"},
      {"a\tb", "a\\tb"},            {"C:\\new", "C:\\new"},    {"trail \t\r\n", "trail"},
  };
  for (const auto& c : saved) EXPECT_EQ(EscapeWorkText(c.plain), c.escaped) << c.plain;

  const struct {
    std::string escaped, plain;
  } read[] = {
      {"one\\ntwo", "one\r\ntwo"}, {"a\\tb", "a\tb"},     {"C:\\new", "C:\r\new"},
      {"C:\\x\\y", "C:\\x\\y"},    {"end\\", "end"},      {"gone \\n", "gone"},
  };
  for (const auto& c : read) EXPECT_EQ(UnescapeWorkText(c.escaped), c.plain) << c.escaped;
  EXPECT_EQ(CutToCharacters("a🦊b", 2), "a🦊");
}

TEST(FileDialogsTest, NamesFiltersAndExtensions) {
  using namespace std::string_literals;
  EXPECT_EQ(PublishedFileFilter(), "Mascot Files (*.mascot)\0*.mascot\0\0"s);
  EXPECT_EQ(WorkFileFilter(), "Mascot Work File (*.WMascot)\0*.WMascot\0\0"s);
  EXPECT_EQ(DefaultPublishName("A.B:C"), "ABC");
  EXPECT_EQ(ForcePublishedExtension("/home/u/fun.txt"), "/home/u/fun.mascot");
  EXPECT_EQ(ForcePublishedExtension("/home/u/fun.old.data"), "/home/u/fun.old.mascot");
  EXPECT_EQ(ForceWorkFileExtension("/home/u/fun"), "/home/u/fun.wmascot");
  // The extension already there in another case is the file the user chose.
  EXPECT_EQ(ForcePublishedExtension("/home/u/PIP.MASCOT"), "/home/u/PIP.MASCOT");
  EXPECT_EQ(ForceWorkFileExtension("/home/u/fun.WMascot"), "/home/u/fun.WMascot");
  EXPECT_EQ(ForceWorkFileExtension("/home/u/fun.Mascot"), "/home/u/fun.wmascot");

  RememberWorkFilePath("/home/u/work/fun.wmascot");
  EXPECT_EQ(WorkFileInitialFolder(), "/home/u/work/");
}

}  // namespace
}  // namespace mascot
