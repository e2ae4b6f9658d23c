#pragma once
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "commands/path_dialogs.h"
#include "editing/editor_ports.h"
#include "editing/editor_state.h"

// Fakes of the editor dialog, its frame list, its preview and the program's
// dialogs, recording what the editor's rules do with them.
namespace mascot::testing {

struct Message {
  std::string text, caption;
  unsigned flags;
};

// Spins clamp to their range and write their edit, as the toolkit's do.
class FakeView : public EditorDialogView {
 public:
  std::map<EditorField, std::string> text;
  std::map<EditorCheck, bool> checks;
  std::map<EditorSpin, int> positions;
  std::map<EditorSpin, std::pair<int, int>> ranges;
  std::map<EditorControl, bool> enabled;
  std::string undoLabel, soundInfo = "(unset)";
  std::optional<EditorField> focused;
  int width = 260;

  std::string fieldText(EditorField f) override { return text[f]; }
  void setFieldText(EditorField f, const std::string& t) override { text[f] = t; }
  void setNameLimit(int) override {}
  bool isChecked(EditorCheck c) override { return checks[c]; }
  void setChecked(EditorCheck c, bool on) override { checks[c] = on; }
  std::optional<int> spinPosition(EditorSpin s) override {
    return positions.contains(s) ? std::optional<int>(positions[s]) : std::nullopt;
  }
  void setSpinPosition(EditorSpin s, int p) override {
    if (ranges.contains(s)) p = std::clamp(p, ranges[s].first, ranges[s].second);
    positions[s] = p;
    const bool click = s == EditorSpin::kClickFirst || s == EditorSpin::kClickLast;
    // Each spin's number is its edit's + 2.
    text[static_cast<EditorField>(static_cast<int>(s) - 2)] = click && p == 0 ? "" : std::to_string(p);
  }
  void setSpinRange(EditorSpin s, int lo, int hi) override { ranges[s] = {lo, hi}; }
  void enable(EditorControl c, bool on) override { enabled[c] = on; }
  void setUndoLabel(const std::string& label) override { undoLabel = label; }
  void setSoundInfo(const std::string& t) override { soundInfo = t; }
  void focusField(EditorField f) override { focused = f; }
  int dialogWidth() override { return width; }
  void bringToTop() override {}

  // The click range as the edits show it, 1-based ("" for none).
  std::string clickRange() { return text[EditorField::kClickFirst] + ".." + text[EditorField::kClickLast]; }
};

// Rows with the list's own backup; a frame is added before the selection.
class FakeFrameList : public FrameListControl {
 public:
  std::vector<FrameRecord> rows, backup;
  bool failAdd = false;
  std::int32_t selected = -1;
  std::pair<std::int32_t, std::int32_t> clickRange{-2, -2};
  std::vector<std::int32_t> clicked;
  int resets = 0;

  std::int32_t addFrame() override {
    const std::int32_t at = selected == -1 ? count() : selected;
    backup = rows;
    rows.insert(rows.begin() + at, FrameRecord{});
    return failAdd ? -1 : at;
  }
  std::int32_t removeFrame() override {
    if (selected == -1) return -1;
    const std::int32_t at = std::exchange(selected, -1);
    backup = rows;
    rows.erase(rows.begin() + at);
    return at;
  }
  void setFrames(const std::vector<FrameRecord>& frames) override { rows = frames; }
  // As the real list: the document's records keep their picture and flag,
  // and a changed number of rows marks the first frame.
  void getFrames(std::vector<FrameRecord>& frames) override {
    std::vector<FrameRecord> out = rows;
    for (std::size_t i = 0; i < out.size() && i < frames.size(); ++i)
      out[i].imageIndex = frames[i].imageIndex, out[i].modified = frames[i].modified;
    if (out.size() != frames.size() && !out.empty()) out[0].modified = 1;
    frames = std::move(out);
  }
  std::int32_t count() override { return static_cast<std::int32_t>(rows.size()); }
  std::int32_t selection() override { return selected; }
  void showCurrent(std::int32_t) override {}
  void showClicked(std::int32_t f) override { clicked.push_back(f); }
  void setClickRange(std::int32_t first, std::int32_t last) override { clickRange = {first, last}; }
  void undo() override { std::swap(rows, backup), selected = -1; }
  void resetUndo() override { ++resets; }
};

class FakePreview : public PreviewControl {
 public:
  std::vector<std::string> log;
  MascotDocument* document = nullptr;
  bool stopped = false;

  bool create(MascotDocument& d) override { return document = &d, log.push_back("create"), true; }
  void destroy() override { document = nullptr, log.push_back("destroy"); }
  void refresh() override { log.push_back("refresh"); }
  void showFrame(std::int32_t f) override { log.push_back("frame " + std::to_string(f)); }
  void stop() override { stopped = true; }
  void start() override { stopped = false; }
  void step() override {}
  bool isStopped() override { return stopped; }
  void hide() override { log.push_back("hide"); }
  void show() override { log.push_back("show"); }
  int width() override { return document ? 60 : 0; }
};

class FakeServices : public EditorServices, public PathDialogs {
 public:
  std::vector<Message> messages;
  std::vector<int> answers;  // taken in order; OK once they run out
  std::vector<std::string> log;
  std::vector<PathDialogRequest> pathRequests;
  std::string chosenPath;
  int waitDepth = 0;

  int showMessage(const std::string& text, const std::string& caption, unsigned flags) override {
    messages.push_back({text, caption, flags});
    if (answers.empty()) return 1;
    const int answer = answers.front();
    answers.erase(answers.begin());
    return answer;
  }
  void setProgressTitle(const std::string& t) override { log.push_back("title " + t); }
  void setProgressDetail(const std::string& d) override { log.push_back("detail " + d); }
  void closeProgress() override { log.push_back("close progress"); }
  void beginWait() override { ++waitDepth; }
  void endWait() override { --waitDepth; }
  std::string askSoundPath(const std::string&) override { return {}; }
  bool editCreatorInfo(CreatorFields&) override { return false; }
  void showEditorHelp() override {}
  // Notes whether the wait cursor was held while playing.
  void playSoundSync(const SoundBytes& s) override { played("memory " + std::to_string(s.size())); }
  void playSoundFileSync(const std::string& path) override { played(path); }

  std::string askOpenPath(const PathDialogRequest& r) override { return pathRequests.push_back(r), chosenPath; }
  std::string askSavePath(const PathDialogRequest& r) override { return pathRequests.push_back(r), chosenPath; }

 private:
  void played(const std::string& what) { log.push_back("play " + what + (waitDepth > 0 ? " (waiting)" : "")); }
};

// A source document and an editor on it, over the fakes above.
class EditorHarness : public ::testing::Test {
 protected:
  // A fresh editor on the source, initialised as the dialog would.
  void open() {
    view = {}, list = {}, preview = {}, services = {};
    editor = std::make_unique<EditorState>(source, view, list, preview, services, services);
    editor->initialise();
  }
  MascotDocument& working() { return editor->working(); }

  MascotDocument source;
  FakeView view;
  FakeFrameList list;
  FakePreview preview;
  FakeServices services;
  std::unique_ptr<EditorState> editor;
};

}  // namespace mascot::testing
