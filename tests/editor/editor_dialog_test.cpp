// The editor dialog on the offscreen platform: its preview is the mascot's
// own window, placed on the dialog and following it; the click options and
// the undo button follow the rules.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QTest>
#include <QTimer>

#include <filesystem>
#include <functional>

#include "dialogs/control_ids.h"
#include "editor/editor_dialog.h"
#include "imaging/bmp_writer.h"
#include "scratch_folder.h"
#include "viewer/mascot_window.h"

namespace mascot {
namespace {

// A solid picture of the size; its top-left colour is transparent, so a
// frame shows its inner part.
std::string WritePicture(const std::filesystem::path& folder, const char* name, int width, int height) {
  auto bitmap = Bitmap::Create(width, height, 24);
  for (int y = 1; y < height - 1; ++y)
    for (int x = 1; x < width - 1; ++x) bitmap->row(y)[x * 3 + 2] = 0xFF;
  const std::string path = (folder / name).string();
  EXPECT_TRUE(WriteBmpFile(*bitmap, path));
  return path;
}

MascotWindow* PreviewOnScreen() {
  for (QWidget* w : QApplication::topLevelWidgets())
    if (auto* window = dynamic_cast<MascotWindow*>(w); window && window->isVisible() && window->windowTitle() == "Preview")
      return window;
  return nullptr;
}

template <typename Control>
Control* Find(QDialog* dialog, int id) {
  return dynamic_cast<Control*>(FindControl(dialog, id));
}

// Runs the editor on the document; `act` gets the dialog once it runs and
// must end it. The editor's answer.
bool WithEditor(MascotDocument& document, std::function<void(QDialog*)> act) {
  QTimer::singleShot(50, [act = std::move(act)] {
    QDialog* dialog = CurrentEditorDialog();
    if (!dialog) {
      ADD_FAILURE() << "no editor";
      return;
    }
    act(dialog);
  });
  return RunEditor(document, {});
}

TEST(EditorDialog, ThePreviewSitsOnTheDialogAtTheOffsetsAndFollowsIt) {
  const auto folder = testing::ScratchFolder();
  MascotDocument document;
  for (const char* name : {"a.bmp", "b.bmp"}) {
    FrameRecord frame;
    frame.fileName = WritePicture(folder, name, 40, 30);
    frame.minFrameDelay = frame.maxFrameDelay = 100;
    document.frames.push_back(frame);
  }
  document.xOffset = 15;
  document.yOffset = 4;
  ASSERT_TRUE(document.loadImages());

  WithEditor(document, [](QDialog* dialog) {
    dialog->move(200, 300);
    QTest::qWait(300);
    MascotWindow* preview = PreviewOnScreen();
    ASSERT_TRUE(preview) << "no preview";
    const QRect frame = dialog->frameGeometry();
    EXPECT_EQ(preview->size(), QSize(40, 30));
    EXPECT_EQ(preview->x(), frame.left() + 15);
    EXPECT_EQ(preview->y() + preview->height(), frame.top() + 4);
    EXPECT_FALSE(preview->windowFlags() & Qt::WindowStaysOnTopHint) << "above other programs";

    dialog->move(260, 340);
    QTest::qWait(250);  // timer 1 looks every 101 ms
    EXPECT_EQ(preview->x(), dialog->frameGeometry().left() + 15) << "the preview did not follow";
    dialog->done(2);
  });
}

TEST(EditorDialog, WithoutFramesThePreviewIsBlackAndTheFileButtonsAreOff) {
  MascotDocument document;
  WithEditor(document, [](QDialog* dialog) {
    QTest::qWait(200);
    MascotWindow* preview = PreviewOnScreen();
    ASSERT_TRUE(preview);
    EXPECT_EQ(preview->size(), QSize(50, 50));
    EXPECT_EQ(preview->grab().toImage().pixelColor(25, 25), QColor(Qt::black));
    EXPECT_FALSE(Find<QAbstractButton>(dialog, 1045)->isEnabled()) << "Publish";
    EXPECT_FALSE(Find<QAbstractButton>(dialog, 1046)->isEnabled()) << "Save";
    EXPECT_FALSE(Find<QAbstractButton>(dialog, 1021)->isEnabled()) << "Remove Frame";
    dialog->done(2);
  });
}

TEST(EditorDialog, ClickOptionsFollowTheirCheckBoxAndAddingCanBeUndone) {
  MascotDocument document;
  const bool confirmed = WithEditor(document, [](QDialog* dialog) {
    auto* active = Find<QAbstractButton>(dialog, 1005);
    for (int id : {1099, 1100, 1022, 1019, 1023}) EXPECT_FALSE(FindControl(dialog, id)->isEnabled()) << id;
    active->click();
    for (int id : {1099, 1100, 1022, 1019, 1023}) EXPECT_TRUE(FindControl(dialog, id)->isEnabled()) << id;

    auto* undo = Find<QAbstractButton>(dialog, 1072);
    EXPECT_EQ(undo->text(), "Undo Frame");
    EXPECT_FALSE(undo->isEnabled());
    Find<QAbstractButton>(dialog, 1020)->click();
    EXPECT_EQ(undo->text(), "Undo Add");
    EXPECT_TRUE(Find<QAbstractButton>(dialog, 1046)->isEnabled()) << "Save with a frame";
    undo->click();
    EXPECT_EQ(undo->text(), "Redo Add");
    EXPECT_FALSE(Find<QAbstractButton>(dialog, 1046)->isEnabled()) << "Save without frames";
    undo->click();
    Find<QAbstractButton>(dialog, 1)->click();
  });
  EXPECT_TRUE(confirmed);
  EXPECT_EQ(document.frameCount(), 1);
  EXPECT_EQ(document.clickSequenceDefined, 1);
  EXPECT_TRUE(document.isModified());
}

}  // namespace
}  // namespace mascot
