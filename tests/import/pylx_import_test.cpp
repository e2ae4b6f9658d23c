#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "files/published_mascot.h"
#include "import/pylx_import.h"
#include "import/pylx_mascot_builder.h"
#include "scratch_folder.h"

namespace mascot {
namespace {

namespace fs = std::filesystem;

void Write(const fs::path& path, const std::string& text) {
  fs::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << text;
}

// A 3 x 5 picture: a red bar on a transparent background.
const char* kBar = "\"3 5 2 1\",\n\". c None\",\n\"r c red\",\n\".r.\",\n\".r.\",\n\".r.\",\n\".r.\",\n\"...\",\n";
// 2 x 2, all colours known: the padding takes the top-left (blue) colour.
const char* kDot = "\"2 2 2 1\",\n\"b c #0000FF\",\n\"w c white\",\n\"bw\",\n\"wb\",\n";

class PylxImport : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetPylxImportState();
    folder_ = testing::ScratchFolder();
  }
  fs::path folder_;
};

TEST_F(PylxImport, BuildsTheDocumentFromTheKeys) {
  Write(folder_ / "a.xpm", kBar);
  Write(folder_ / "b.xpm", "\"not a picture\"\n");
  PylxResourceFile file;
  ParsePylxResourceText(
      "Pylx*menu.titleE :  My Pet\n"
      "Pylx*menu.yPosition: 3\n"
      "Pylx*menu.wordClk: Hello\n"
      "Pylx*menu.endClk: 1\n"
      "Pylx*menu.numFrame: 3\n"
      "Pylx*menu.xpmFile0: a.xpm\n"
      "Pylx*menu.minFrame0: 5\nPylx*menu.maxFrame0: 12\nPylx*menu.nextFrame0: 0\n"
      "Pylx*menu.minFloop0: 2\nPylx*menu.maxFloop0: 4\n"
      "Pylx*menu.xpmFile1: b.xpm\n"
      "Pylx*menu.xpmFile2: A.XPM\n"
      "Pylx*menu.xpmFile3: a.xpm\n",
      file);
  std::vector<std::string> progress;
  auto document = BuildMascotFromPylx(file, folder_.string(), [&](std::string_view t) { progress.emplace_back(t); });
  ASSERT_TRUE(document);
  EXPECT_EQ(document->name, "My Pet");
  EXPECT_EQ(document->balloonText, "Hello");
  EXPECT_EQ(document->yOffset, 5 - 3);
  EXPECT_EQ(document->clickSequenceDefined, 0);
  EXPECT_EQ(document->clickStartIndex, -1);
  EXPECT_EQ(document->clickEndIndex, 1);
  // b.xpm cannot be decoded: its frame is left out. A.XPM reuses a.xpm's picture.
  ASSERT_EQ(document->frames.size(), 2u);
  ASSERT_EQ(document->images.size(), 1u);
  const FrameRecord& first = document->frames[0];
  EXPECT_EQ(first.minFrameDelay, 500u);
  EXPECT_EQ(first.maxFrameDelay, 1200u);
  EXPECT_EQ(first.jumpFrame, 0);
  EXPECT_EQ(first.minLoopCount, 2u);
  EXPECT_EQ(first.maxLoopCount, 4u);
  EXPECT_EQ(document->frames[1].imageIndex, 0);
  EXPECT_EQ(document->frames[1].minLoopCount, 0xFFFFFFFFu);
  EXPECT_EQ(document->images[0].width, 4);
  ASSERT_TRUE(document->images[0].region);
  EXPECT_EQ(document->images[0].region->bounds(), (Rect{1, 0, 2, 4}));
  EXPECT_EQ(progress, (std::vector<std::string>{"Processing image a.xpm", "Processing image b.xpm"}));

  file.values["Pylx*menu.xpmFile1"] = "missing.xpm";
  EXPECT_FALSE(BuildMascotFromPylx(file, folder_.string()));
}

TEST_F(PylxImport, LooksInThePreviousFolderThenTheImportFolderThenItsParent) {
  const fs::path set = folder_ / "set";
  const fs::path mascot = set / "mascot";
  Write(set / "p.xpm", kDot);
  Write(set / "q.xpm", kDot);
  Write(mascot / "q.xpm", kDot);
  fs::create_directories(mascot / "r.xpm");  // a folder is not a picture

  auto found = FindPylxPicture("p.xpm", mascot.string());
  ASSERT_TRUE(found);
  EXPECT_EQ(found->path, (set / "p.xpm").string());
  found = FindPylxPicture("q.xpm", mascot.string());
  ASSERT_TRUE(found);
  EXPECT_EQ(found->path, (set / "q.xpm").string());  // where the previous one was
  EXPECT_FALSE(FindPylxPicture("r.xpm", mascot.string()));

  ResetPylxImportState();
  found = FindPylxPicture("q.xpm", mascot.string());
  ASSERT_TRUE(found);
  EXPECT_EQ(found->folder, mascot.string());
}

// Two resource files, one of them without keys, and a star of two pictures.
struct Answers {
  std::vector<std::string> questions;
  std::vector<std::string> messages;
  bool overwrite = false;

  PylxImportCallbacks callbacks() {
    PylxImportCallbacks c;
    c.message = [this](std::string_view text, std::string_view caption, ImportMessageIcon icon) {
      messages.push_back(std::string(caption) + ": " + std::string(text) +
                         (icon == ImportMessageIcon::Warning ? " (warning)" : ""));
    };
    c.askYesNo = [this](std::string_view question, std::string_view caption) {
      questions.push_back(std::string(caption) + ": " + std::string(question));
      return overwrite;
    };
    return c;
  }
};

TEST_F(PylxImport, PublishesEachMascotAndNamesCopiesWhenOverwritingIsRefused) {
  const fs::path source = folder_ / "source";
  const fs::path mascots = folder_ / "Mascots";
  fs::create_directories(mascots);
  Write(source / "star.pylx",
        "Pylx*menu.titleE: Star\nPylx*menu.numFrame: 2\n"
        "Pylx*menu.xpmFile0: bar.xpm\nPylx*menu.minFrame0: 5\nPylx*menu.maxFrame0: 10\n"
        "Pylx*menu.xpmFile1: dot.xpm\nPylx*menu.minFrame1: 1\nPylx*menu.maxFrame1: 2\n");
  Write(source / "bar.xpm", kBar);
  Write(source / "dot.xpm", kDot);
  Write(source / "empty.pylx", "! no keys\n");
  const std::string star = (source / "star.pylx").string();
  const std::string empty = (source / "empty.pylx").string();

  Answers answers;
  std::vector<std::string> saved;
  EXPECT_TRUE(ImportPylxMascots({star, empty}, answers.callbacks(), mascots.string(), &saved));
  EXPECT_EQ(saved, (std::vector<std::string>{(mascots / "star.mascot").string()}));

  auto document = OpenPublishedMascot((mascots / "star.mascot").string());
  ASSERT_TRUE(document);
  EXPECT_EQ(document->name, "Star");
  ASSERT_EQ(document->frames.size(), 2u);
  EXPECT_EQ(document->frames[1].minFrameDelay, 100u);
  EXPECT_EQ(document->frames[1].maxFrameDelay, 200u);
  ASSERT_EQ(document->images.size(), 2u);
  const Bitmap& dot = *document->images[1].bitmap;
  EXPECT_EQ(dot.width(), 4);
  EXPECT_EQ(dot.pixelColour(0, 0), 0xFF0000u);
  EXPECT_EQ(dot.pixelColour(3, 1), 0xFF0000u);
  EXPECT_EQ(document->images[0].bitmap->pixelColour(1, 2), 0x0000FFu);

  // Refusing to overwrite: each save asks once, then takes star1, then star2.
  saved.clear();
  EXPECT_TRUE(ImportPylxMascots({star, star}, answers.callbacks(), mascots.string(), &saved));
  EXPECT_EQ(saved, (std::vector<std::string>{(mascots / "star1.mascot").string(), (mascots / "star2.mascot").string()}));
  const std::string question = "Question: Okay to overwrite star.mascot in " + mascots.string() + "?";
  EXPECT_EQ(answers.questions, (std::vector<std::string>{question, question}));

  answers.overwrite = true;
  saved.clear();
  EXPECT_TRUE(ImportPylxMascots({star}, answers.callbacks(), mascots.string(), &saved));
  EXPECT_EQ(saved, (std::vector<std::string>{(mascots / "star.mascot").string()}));
  EXPECT_FALSE(ImportPylxMascots({empty}, answers.callbacks(), mascots.string()));

  EXPECT_EQ(answers.messages, (std::vector<std::string>{
                                  "Importing Mascots: The mascot was successfully imported.",
                                  "Importing Mascots: 2 mascots were successfully imported.",
                                  "Importing Mascots: The mascot was successfully imported.",
                                  "Importing Mascots: Failed to import any mascots. (warning)",
                              }));
}

}  // namespace
}  // namespace mascot
