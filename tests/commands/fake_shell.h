#pragma once
// The shell, its dialogs and its file dialogs as the command flows see them:
// records what the flows do, in order, and answers as told.
#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "commands/file_commands.h"
#include "commands/preferences_command.h"
#include "preferences/mascot_preferences.h"

namespace mascot::testing {

struct Message {
  std::string text, caption;
  unsigned flags;
};

class FakeShell : public MascotHost, public CommandDialogs, public PathDialogs, public PreferencesDialogRunner {
 public:
  std::shared_ptr<MascotDocument> document;
  ShellFlags shellFlags;
  MascotPreferences prefs;
  std::vector<std::string> log;
  std::vector<Message> messages;
  std::vector<PathDialogRequest> pathRequests;
  int answer = kAnswerYes, loadErrorsAnswer = kAnswerOk, suspended = 0;
  std::string chosenPath;
  // The change period each restart of the change timer found.
  std::vector<std::uint32_t> timerPeriods;
  // The preferences dialog, as the test runs it.
  std::function<int(MascotPreferences&)> preferencesDialog;

  std::shared_ptr<MascotDocument> currentDocument() const override { return document; }
  void setCurrentDocument(std::shared_ptr<MascotDocument> d) override { note("set"), document = std::move(d); }
  ShellFlags& flags() override { return shellFlags; }
  MascotPreferences& preferences() override { return prefs; }
  bool hasMainWindow() const override { return true; }
  void suspend() override { ++suspended, note("suspend"); }
  void resume() override { --suspended, note("resume"); }
  void setPopup(int id) override { note("popup " + std::to_string(id)); }
  void refreshTrayIcon() override { note("tray"); }
  void restartChangeTimer() override { timerPeriods.push_back(prefs.changePeriod()), note("timer"); }
  void bringTargetForward() override { note("forward"); }
  void placeMascot() override { note("place"); }
  void setMascotTip(const std::string& name, const std::string&) override { note("tip " + name); }
  void hideMascotWindow() override { note("hide"); }
  void showMascotWindow() override { note("show"); }
  void installDocumentShape() override { note("shape"); }
  void resizeMascotWindow(FrameSize) override { note("resize"); }
  MascotView* mascotView() override { return nullptr; }
  EditorResult runEditor(MascotDocument& d) override { return note("editor " + d.name), EditorResult::kUnavailable; }

  int showMessage(const std::string& text, const std::string& caption, unsigned flags) override {
    return messages.push_back({text, caption, flags}), answer;
  }
  void openProgress() override { note("progress"); }
  void setProgressTitle(const std::string& title) override { note(title); }
  void setProgressDetail(const std::string& detail) override { note(detail); }
  void closeProgress() override { note("close progress"); }
  int showLoadErrors(const std::string& text, const std::string&) override {
    return messages.push_back({text, "Load Errors", 0}), loadErrorsAnswer;
  }
  std::string askOpenPath(const PathDialogRequest& r) override { return pathRequests.push_back(r), chosenPath; }
  std::string askSavePath(const PathDialogRequest& r) override { return pathRequests.push_back(r), chosenPath; }

  int runPreferencesDialog(MascotPreferences& copy) override { return note("dialog"), preferencesDialog(copy); }

  void note(const std::string& entry) { log.push_back(entry); }
  bool logged(const std::string& entry) const { return std::find(log.begin(), log.end(), entry) != log.end(); }
};

}  // namespace mascot::testing
