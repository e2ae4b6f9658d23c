// The editor dialog on the offscreen platform: its preview is the mascot's
// own window; the click options and the undo button follow the rules. (The
// preview's place on the dialog is checked on a real desktop.)
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QTest>
#include <QTimer>

#include <functional>

#include "dialogs/control_ids.h"
#include "editor/editor_dialog.h"
#include "viewer/mascot_window.h"

namespace mascot {
namespace {

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

TEST(EditorDialog, WithoutFramesThePreviewIsBlackAndTheFileButtonsAreOff) {
  MascotDocument document;
  WithEditor(document, [](QDialog* dialog) {
    EXPECT_EQ(QApplication::activeModalWidget(), dialog) << "the editor must be modal";
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
