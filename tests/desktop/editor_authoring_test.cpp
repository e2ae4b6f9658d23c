// An author at work: "mascot -e" opens the editor, and the mascot is made
// through its controls with the real pointer and keyboard, saved, loaded
// back and published; the published file then passes the tool's checks and
// survives an export and a second publish byte for byte.
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <thread>

#include "desktop/mascot_desktop.h"
#include "scratch_folder.h"

namespace mascot {
namespace {

using testing::WaitFor;

constexpr char kEditorTitle[] = "Create/Edit Tovra Mascot";

struct ControlRect {
  int left = 0, top = 0, width = 0, height = 0;
};

class EditorAuthoring : public MascotProgram {
 protected:
  void SetUp() override {
    MascotProgram::SetUp();
    folder = testing::ScratchFolder();
    controlMap = (folder / "controls.txt").string();
    setenv("MASCOT_TEST_CONTROL_MAP", controlMap.c_str(), 1);
  }
  void TearDown() override {
    MascotProgram::TearDown();
    unsetenv("MASCOT_TEST_CONTROL_MAP");
  }

  // The control's rectangle from the program's map: frame 0 for the
  // dialog's own controls, else the list row of that frame number.
  std::optional<ControlRect> control(int id, int frame = 0) {
    std::ifstream in(controlMap);
    int lineId = 0, f = 0;
    ControlRect r;
    while (in >> lineId >> r.left >> r.top >> r.width >> r.height >> f)
      if (lineId == id && f == frame) return r;
    return std::nullopt;
  }
  ControlRect waitForControl(int id, int frame = 0) {
    std::optional<ControlRect> r;
    EXPECT_TRUE(WaitFor([&] { return (r = control(id, frame)).has_value(); })) << "control " << id << " row " << frame;
    return r.value_or(ControlRect{});
  }
  void press(int id, int frame = 0) {
    const ControlRect r = waitForControl(id, frame);
    click(r.left + r.width / 2, r.top + r.height / 2);
  }
  // Replaces the text of an edit and leaves it with Tab, as a user would.
  void type(int id, const std::string& text, int frame = 0) {
    press(id, frame);
    keys({"ctrl+a", "BackSpace"});
    run({"type", "--delay", "20", text});
    keys({"Tab"});
  }
  // Answers the box or file dialog with the title once it shows: a typed
  // path (or nothing), then Return.
  void answer(const std::string& title, const std::string& text = {}) {
    const xcb_window_t shown = waitForTitle(title, std::chrono::seconds(10));
    ASSERT_TRUE(shown) << "no \"" << title << "\"";
    run({"windowactivate", "--sync", std::to_string(shown)});
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    if (!text.empty()) {
      keys({"ctrl+a"});
      run({"type", "--delay", "10", text});
    }
    keys({"Return"});
    EXPECT_TRUE(WaitFor([&] { return client.findShownWindow([&](xcb_window_t w) { return w == shown; }) == 0; }))
        << "\"" << title << "\" stayed";
  }


  // The sample's pictures as files an author would have drawn.
  std::vector<std::string> pictures() {
    const std::string out = (folder / "pictures").string();
    EXPECT_EQ(WaitForExit(spawn(MASCOT_TOOL, {"export", SamplePath("Bolt"), out}), std::chrono::seconds(20)), 0);
    std::vector<std::string> paths;
    for (const char* name : {"picture01.bmp", "picture02.bmp", "picture03.bmp"}) paths.push_back(out + "/" + name);
    return paths;
  }

  std::string toolOutput(const std::vector<std::string>& arguments) {
    const std::string out = (folder / "tool-output.txt").string();
    std::string command = MASCOT_TOOL;
    for (const std::string& a : arguments) command += " '" + a + "'";
    if (std::system((command + " > '" + out + "' 2>&1").c_str()) != 0) return "FAILED: " + command;
    std::ifstream in(out);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }

  static std::string FileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
  }

  std::filesystem::path folder;
  std::string controlMap;
};

TEST_F(EditorAuthoring, AMascotMadeInTheEditorIsSavedLoadedAndPublished) {
  const std::vector<std::string> frames = pictures();
  addWindow("Target", {300, 500, 900, 720}, 0x6080c0);
  ASSERT_TRUE(startMascot({"-e"}));
  const xcb_window_t editor = waitForTitle(kEditorTitle, std::chrono::seconds(10));
  ASSERT_TRUE(editor) << "mascot -e opened no editor";
  closeSplash();

  type(1000, "Tester");
  for (int i = 0; i < 4; ++i) press(1020);  // Add Frame
  ASSERT_TRUE(WaitFor([&] { return control(1025, 4).has_value(); })) << "no fourth row";
  press(1072);  // the fourth addition taken back
  EXPECT_TRUE(WaitFor([&] { return !control(1025, 4).has_value(); })) << "the undo left the fourth row";
  client.saveScreenshot(MASCOT_SCREENSHOTS "/editor-undo.png");
  for (int frame = 1; frame <= 3; ++frame) {
    type(1008, frames[static_cast<std::size_t>(frame - 1)], frame);
    type(1013, std::to_string(100 * frame), frame);
    type(1009, std::to_string(100 * frame + 50), frame);
  }
  press(1005);  // Click Animation Active
  type(1099, "2");
  type(1100, "3");

  // The preview sits on the editor's top edge and follows it.
  const xcb_window_t preview = waitForTitle("Preview");
  ASSERT_TRUE(preview) << "no preview";
  const Rect before = client.clientRect(preview);
  run({"windowmove", std::to_string(editor), "40", "90"});
  ASSERT_TRUE(WaitFor([&] { return client.clientRect(editor).left < 100; }));
  const auto moved = std::chrono::steady_clock::now();
  EXPECT_TRUE(WaitFor([&] {
    const Rect r = client.clientRect(preview);
    return r.left != before.left || r.top != before.top;
  }, std::chrono::seconds(1))) << "the preview stayed where it was";
  EXPECT_LT(std::chrono::steady_clock::now() - moved, std::chrono::milliseconds(200));
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  const DesktopWindow* framed = find(editor);
  ASSERT_TRUE(framed);
  // (A window manager that keeps windows on the screen, as mutter does, stops
  // it at the screen's top when the editor is higher than the preview.)
  const Rect shown = client.clientRect(preview);
  EXPECT_EQ(shown.bottom, std::max(framed->frame.top, shown.bottom - shown.top)) << "not on the editor's top edge";
  EXPECT_EQ(client.clientRect(preview).left, framed->frame.left) << "not at the X offset 0";
  client.saveScreenshot(MASCOT_SCREENSHOTS "/editor.png");

  const std::string work = (folder / "tester.wmascot").string();
  press(1046);  // Save: asks for the work file's name
  answer("Save A Mascot Work in Progress", work);
  answer("Save Results");  // "Mascot saved."
  ASSERT_TRUE(std::filesystem::exists(work)) << "no work file";

  press(1049);  // Load: nothing changed, so no question first
  answer("Open A Mascot Work in Progress", work);

  const std::string published = (folder / "tester.mascot").string();
  press(1045);  // Publish: two warnings for the empty creator texts, the name
  answer("Warning");
  answer("Warning");
  answer("Publish A Mascot", published);
  ASSERT_TRUE(WaitFor([&] { return std::filesystem::exists(published); })) << "nothing published";
  std::this_thread::sleep_for(std::chrono::milliseconds(700));
  keys({"Return"});  // "Mascot has been published!", in front without a caption
  press(1);  // OK
  ASSERT_TRUE(goneWithTitle(kEditorTitle));

  EXPECT_NE(toolOutput({"verify", published}).find(": OK (published mascot"), std::string::npos);
  const std::string info = toolOutput({"info", published, "--json"});
  EXPECT_NE(info.find("\"name\": \"Tester\""), std::string::npos) << info;
  for (const char* expected : {"\"minFrameDelay\": 100", "\"maxFrameDelay\": 350", "\"clickStartIndex\": 1",
                               "\"clickEndIndex\": 2", "\"clickSequenceDefined\": true"})
    EXPECT_NE(info.find(expected), std::string::npos) << expected << " in " << info;

  // Exported and published again by the tool: the same bytes.
  const std::string exported = (folder / "exported").string();
  toolOutput({"export", published, exported});
  const std::string again = (folder / "again.mascot").string();
  toolOutput({"publish", exported + "/Tester.wmascot", again});
  EXPECT_EQ(FileBytes(again), FileBytes(published)) << "the round trip changed the file";

  // The running program shows it when handed the file.
  EXPECT_EQ(WaitForExit(spawn(MASCOT_PROGRAM, {published}), std::chrono::seconds(10)), 0);
  const auto document = OpenPublishedMascot(published);
  ASSERT_TRUE(document);
  const WindowId mascot = waitForMascot();
  ASSERT_NE(mascot, kNoWindow);
  EXPECT_TRUE(waitForShown(mascot, {document}, MASCOT_SCREENSHOTS "/editor-published-shown.png"));
}

}  // namespace
}  // namespace mascot
