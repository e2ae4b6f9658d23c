#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "commands/pylx_import_command.h"
#include "import/pylx_mascot_builder.h"
#include "scratch_folder.h"

namespace mascot {
namespace {

namespace fs = std::filesystem;

// Answers the file dialog with a fixed list and records what the import shows.
class ImportDialogs final : public PathDialogs, public CommandDialogs {
 public:
  std::vector<std::string> chosen;
  std::vector<PathDialogRequest> requests;
  std::vector<std::string> log;
  int answer = kAnswerNo;

  std::string askOpenPath(const PathDialogRequest&) override { return {}; }
  std::string askSavePath(const PathDialogRequest&) override { return {}; }
  std::vector<std::string> askOpenPaths(const PathDialogRequest& request) override {
    requests.push_back(request);
    return chosen;
  }
  int showMessage(const std::string& text, const std::string& caption, unsigned flags) override {
    log.push_back("message " + caption + " " + std::to_string(flags) + ": " + text);
    return answer;
  }
  void openProgress() override { log.push_back("open"); }
  void setProgressTitle(const std::string& title) override { log.push_back("title " + title); }
  void setProgressDetail(const std::string& detail) override { log.push_back("detail " + detail); }
  void closeProgress() override { log.push_back("close"); }
  int showLoadErrors(const std::string&, const std::string&) override { return kAnswerOk; }
};

void WritePylx(const fs::path& folder, const std::string& name) {
  fs::create_directories(folder);
  std::ofstream(folder / (name + ".pylx")) << "Pylx*menu.titleE: " << name
                                           << "\nPylx*menu.numFrame: 1\nPylx*menu.xpmFile0: dot.xpm\n";
  std::ofstream(folder / "dot.xpm") << "\"2 2 2 1\",\n\"b c #0000FF\",\n\". c None\",\n\"b.\",\n\".b\",\n";
}

TEST(PylxImportCommand, RemembersTheFolderOfTheChosenFiles) {
  const fs::path folder = testing::ScratchFolder() / "pets";
  ImportDialogs dialogs;
  std::vector<std::string> paths;
  EXPECT_EQ(ChoosePylxFiles(dialogs, paths), "");  // cancelled: nothing remembered
  dialogs.chosen = {(folder / "a.pylx").string(), (folder / "b.pylx").string()};
  EXPECT_EQ(ChoosePylxFiles(dialogs, paths), folder.string());
  EXPECT_EQ(paths, dialogs.chosen);
  dialogs.chosen.clear();
  ChoosePylxFiles(dialogs, paths);

  ASSERT_EQ(dialogs.requests.size(), 3u);
  EXPECT_EQ(dialogs.requests[0].title, "Import an PylX Mascot");
  EXPECT_EQ(dialogs.requests[0].filter, "PylX Mascot File (*.pylx)|*.pylx||");
  EXPECT_EQ(dialogs.requests[0].defaultExtension, "pylx");
  EXPECT_EQ(dialogs.requests[2].initialFolder, folder.string());
}

TEST(PylxImportCommand, ShowsProgressAsksOnceAndReports) {
  ResetPylxImportState();
  const fs::path scratch = testing::ScratchFolder();
  const fs::path mascots = scratch / "Mascots";
  fs::create_directories(mascots);
  std::ofstream(mascots / "pet.mascot") << "taken";
  WritePylx(scratch / "in", "pet");
  WritePylx(scratch / "in", "cat");
  ImportDialogs dialogs;  // answers No: "pet" is saved as "pet1"

  EXPECT_TRUE(ImportChosenPylxMascots({(scratch / "in" / "pet.pylx").string(), (scratch / "in" / "cat.pylx").string()},
                                      dialogs, mascots.string()));
  EXPECT_TRUE(fs::exists(mascots / "pet1.mascot"));
  EXPECT_TRUE(fs::exists(mascots / "cat.mascot"));
  const std::vector<std::string> expected = {
      "open",
      "detail Importing mascot pet.pylx...",
      "detail Processing image dot.xpm",
      "detail Saving mascot...",
      "message Question 36: Okay to overwrite pet.mascot in " + mascots.string() + "?",
      "detail Importing mascot cat.pylx...",
      "detail Processing image dot.xpm",
      "detail Saving mascot...",
      "close",
      "message Importing Mascots 64: 2 mascots were successfully imported.",
  };
  EXPECT_EQ(dialogs.log, expected);

  dialogs.log.clear();
  EXPECT_FALSE(ImportChosenPylxMascots({(scratch / "none.pylx").string()}, dialogs, mascots.string()));
  EXPECT_EQ(dialogs.log.back(), "message Importing Mascots 48: Failed to import any mascots.");
}

}  // namespace
}  // namespace mascot
