#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>

#include "commands/fake_shell.h"
#include "commands/preferences_command.h"
#include "files/mascot_samples.h"
#include "preferences/login_start.h"
#include "preferences/mascot_preferences.h"
#include "scratch_folder.h"
#include "storage/mascot_library.h"
#include "storage/paths.h"

namespace mascot {
namespace {

namespace fs = std::filesystem;
using Names = std::vector<std::string>;

using testing::FakeShell;

class PreferencesCommandTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = testing::ScratchFolder();
    SetProgramFolderForTesting(folder_.string());
    for (const char* name : {"a", "b", "c"}) {
      MascotDocument d = testing::SampleMascot();
      d.name = name;
      ASSERT_TRUE(PublishMascot(JoinPath(MascotsFolderPath(), std::string(name) + ".mascot"), d));
    }
    // In order over c and a, changing on start, with c next.
    shell_.prefs.SelectionMode = kSelectInOrder;
    shell_.prefs.SelectedList = {"c.mascot", "a.mascot"};
    shell_.prefs.CurrentSelection = 0;
  }
  void TearDown() override { SetProgramFolderForTesting(""); }

  bool saved() const { return fs::exists(folder_ / "mascot.ini"); }
  MascotPreferences savedPreferences() const {
    MascotPreferences file;
    EXPECT_TRUE(file.load((folder_ / "mascot.ini").string()));
    return file;
  }

  fs::path folder_;
  FakeShell shell_;
  FileCommands files_{shell_, shell_, shell_};
  PreferencesCommand command_{shell_, files_, shell_};
};

TEST_F(PreferencesCommandTest, CancelOrAnUnchangedOkTouchesNothing) {
  Names offered;
  const struct { const char* name; int answer; std::function<void(MascotPreferences&)> edit; } cases[] = {
      {"cancel with changes", PreferencesDialogRunner::kCancelled, [](MascotPreferences& p) { p.ChangePeriod = 5; }},
      {"ok without changes", PreferencesDialogRunner::kAccepted, [](MascotPreferences&) {}},
      // The rotation's position and the installed list are not choices.
      {"ok, position only", PreferencesDialogRunner::kAccepted, [](MascotPreferences& p) { p.CurrentSelection = 2; }},
  };
  for (const auto& c : cases) {
    shell_.log.clear();
    shell_.preferencesDialog = [&](MascotPreferences& copy) {
      offered = copy.installed;
      c.edit(copy);
      return c.answer;
    };
    command_.run();
    const Names expected = {"suspend", "dialog", "resume", "forward"};
    EXPECT_EQ(shell_.log, expected) << c.name;
    EXPECT_EQ(shell_.prefs.ChangePeriod, 60u) << c.name;
    EXPECT_EQ(shell_.prefs.CurrentSelection, 0) << c.name;
    EXPECT_FALSE(shell_.prefs.isModified()) << c.name;
    EXPECT_FALSE(saved()) << c.name;
    // The dialog is offered what the folder holds now, not what the shell kept.
    std::sort(offered.begin(), offered.end());
    EXPECT_EQ(offered, (Names{"a.mascot", "b.mascot", "c.mascot"})) << c.name;
  }
}

TEST_F(PreferencesCommandTest, AnAcceptedChangeIsTakenAndSavedAtOnce) {
  shell_.preferencesDialog = [](MascotPreferences& copy) {
    copy.SelectedList = {"b.mascot"};
    copy.HideIfTargetAtTop = 1;
    copy.CurrentSelection = 1;
    return PreferencesDialogRunner::kAccepted;
  };
  command_.run();
  // Same ChangeMode: the mascot on show stays until the rule's next turn.
  const Names expected = {"suspend", "dialog", "timer", "resume", "forward"};
  EXPECT_EQ(shell_.log, expected);
  EXPECT_EQ(shell_.timerPeriods, std::vector<std::uint32_t>{0});
  EXPECT_EQ(shell_.prefs.SelectedList, Names{"b.mascot"});
  EXPECT_EQ(shell_.prefs.installed.size(), 3u);
  EXPECT_FALSE(shell_.prefs.isModified()) << "saved";
  const MascotPreferences file = savedPreferences();
  EXPECT_EQ(file.SelectedList, Names{"b.mascot"});
  EXPECT_EQ(file.HideIfTargetAtTop, 1);
  EXPECT_EQ(file.CurrentSelection, 1);
}

TEST_F(PreferencesCommandTest, ChangingTheChangeModeChangesTheMascotByTheOldRule) {
  shell_.preferencesDialog = [](MascotPreferences& copy) {
    copy.ChangeMode = kChangePeriodically;
    copy.ChangePeriod = 2;
    copy.SelectedList = {"b.mascot", "a.mascot"};
    copy.CurrentSelection = 1;
    return PreferencesDialogRunner::kAccepted;
  };
  command_.run();
  // The old rule shows c and restarts its timer (none, on start only); then
  // the new timing starts.
  ASSERT_TRUE(shell_.document);
  EXPECT_EQ(shell_.document->name, "c");
  EXPECT_EQ(shell_.timerPeriods, (std::vector<std::uint32_t>{0, 120000}));
  const auto at = [&](const std::string& entry) { return std::find(shell_.log.begin(), shell_.log.end(), entry); };
  EXPECT_LT(at("set"), at("timer")) << "the mascot changes before the timers restart";
  EXPECT_EQ(shell_.log.back(), "forward");
  EXPECT_EQ(shell_.prefs.SelectedList, (Names{"b.mascot", "a.mascot"}));
  EXPECT_EQ(shell_.prefs.CurrentSelection, 0) << "the new rule starts at its first name";
  EXPECT_EQ(shell_.prefs.nextMascotName(), "b.mascot");

  const MascotPreferences file = savedPreferences();
  EXPECT_EQ(file.ChangeMode, kChangePeriodically);
  EXPECT_EQ(file.ChangePeriod, 2u);
}

TEST_F(PreferencesCommandTest, AFailedSaveIsLeftForTheExit) {
  fs::create_directory(folder_ / "mascot.ini");
  shell_.preferencesDialog = [](MascotPreferences& copy) {
    copy.ChangePeriod = 9;
    return PreferencesDialogRunner::kAccepted;
  };
  command_.run();
  EXPECT_EQ(shell_.prefs.ChangePeriod, 9u);
  EXPECT_TRUE(shell_.prefs.isModified());
}

TEST_F(PreferencesCommandTest, TheLoginStartBoxWritesOrRemovesTheEntryOnOk) {
  const char* saved = std::getenv("XDG_CONFIG_HOME");
  const std::string savedConfig = saved ? saved : "";
  setenv("XDG_CONFIG_HOME", (folder_ / "config").c_str(), 1);
  const fs::path entry = folder_ / "config" / "autostart" / "tovra-mascot.desktop";

  bool shown = true;
  const auto answer = [&](bool startAtLogin, int button) {
    shell_.preferencesDialog = [&shown, startAtLogin, button](MascotPreferences& copy) {
      shown = copy.startAtLogin;
      copy.startAtLogin = startAtLogin;
      return button;
    };
    command_.run();
  };
  answer(true, PreferencesDialogRunner::kCancelled);
  EXPECT_FALSE(shown);
  EXPECT_FALSE(fs::exists(entry));
  answer(true, PreferencesDialogRunner::kAccepted);
  EXPECT_TRUE(fs::exists(entry));
  EXPECT_FALSE(this->saved()) << "not a setting of the file";
  answer(false, PreferencesDialogRunner::kAccepted);
  EXPECT_TRUE(shown);
  EXPECT_FALSE(fs::exists(entry));
  EXPECT_TRUE(shell_.messages.empty());

  fs::remove_all(folder_ / "config" / "autostart");
  std::ofstream(folder_ / "config" / "autostart") << "in the way";
  answer(true, PreferencesDialogRunner::kAccepted);
  ASSERT_EQ(shell_.messages.size(), 1u);
  EXPECT_NE(shell_.messages[0].text.find("tovra-mascot.desktop"), std::string::npos) << shell_.messages[0].text;

  if (saved) setenv("XDG_CONFIG_HOME", savedConfig.c_str(), 1);
  else unsetenv("XDG_CONFIG_HOME");
}

}  // namespace
}  // namespace mascot
