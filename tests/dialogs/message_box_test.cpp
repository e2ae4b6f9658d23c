#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <functional>

#include "dialogs/message_box.h"
#include "scratch_folder.h"

namespace mascot {
namespace {

using BoxAction = std::function<void(QDialog* box)>;

// Shows a box and, once its loop runs, hands it to `act`.
int RunBox(const BoxAction& act, const MessageText& text, const char* caption, unsigned flags,
           QWidget* owner = nullptr) {
  QTimer::singleShot(0, [act] {
    auto* box = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    act(box);
  });
  return ShowMessageBox(owner, text, caption, flags);
}

void Click(QDialog* box, const QString& label) {
  for (auto* button : box->findChildren<QPushButton*>())
    if (button->text() == label) return QTest::mouseClick(button, Qt::LeftButton);
  ADD_FAILURE() << "no button " << label.toStdString();
}
BoxAction Click(const char* label) {
  return [label](QDialog* box) { Click(box, label); };
}
BoxAction Key(Qt::Key key) {
  return [key](QDialog* box) { QTest::keyClick(box, key); };
}

void Grab(QDialog* box, const char* name) {
  const auto file = testing::ScratchFolder() / name;
  EXPECT_TRUE(box->grab().save(QString::fromStdString(file.string())));
}

TEST(MessageBox, ReturnsTheCodeOfTheButtonOrCancel) {
  struct Case { unsigned flags; BoxAction act; int result; };
  const Case cases[] = {
      {0x31, Key(Qt::Key_Escape), kIdCancel},
      {kMbOk, Key(Qt::Key_Escape), kIdCancel},
      {kMbOk, [](QDialog* box) { box->close(); }, kIdCancel},
      {0x24, Click("No"), kIdNo},
      {kMbAbortRetryIgnore, Click("Ignore"), kIdIgnore},
      {kMbYesNoCancel | kMbDefButton2, Key(Qt::Key_Return), kIdNo},
  };
  for (const Case& c : cases) EXPECT_EQ(RunBox(c.act, "Text", "Title", c.flags), c.result);
}

TEST(MessageBox, WithoutOkOrCancelRefusesEscapeAndClose) {
  const int result = RunBox(
      [](QDialog* box) {
        EXPECT_FALSE(box->windowFlags() & Qt::WindowCloseButtonHint);
        EXPECT_TRUE(box->windowFlags() & Qt::WindowStaysOnTopHint);
        QTest::keyClick(box, Qt::Key_Escape);
        box->close();
        EXPECT_TRUE(box->isVisible());
        Grab(box, "question-yes-no.png");
        Click(box, "Yes");
      },
      "Save changes to Untitled?", "Tovra Mascot", 0x24);
  EXPECT_EQ(result, kIdYes);
}

TEST(MessageBox, HelpLeavesTheBoxOpen) {
  QWidget* helpedBox = nullptr;
  SetMessageBoxServices({{}, [&helpedBox](QWidget* box) { helpedBox = box; }});
  const int result = RunBox(
      [&helpedBox](QDialog* box) {
        Click(box, "Help");
        EXPECT_EQ(helpedBox, box);
        EXPECT_TRUE(box->isVisible());
        Grab(box, "information-help.png");
        Click(box, "OK");
      },
      "Pressing Help shows help and keeps this box.", "Help", kMbIconInformation | kMbHelp);
  SetMessageBoxServices({});
  EXPECT_EQ(result, kIdOk);
}

TEST(MessageBox, CaptionAndText) {
  SetMessageBoxServices({[](int id) { return id == 111 ? std::string(300, 'x') : std::string(); },
                         {}});
  auto expect = [](const char* title, int textLength, const char* picture = nullptr) {
    return [=](QDialog* box) {
      EXPECT_EQ(box->windowTitle(), title);
      EXPECT_EQ(box->findChild<QLabel*>("text")->text().remove('\n').size(), textLength);
      if (picture) Grab(box, picture);
      box->accept();
    };
  };
  RunBox(expect("Error", 4, "error-ok.png"), "Oops", nullptr, kMbIconStop);
  RunBox(expect("", 0), nullptr, "", kMbOk);
  RunBox(expect("Error", 255), MessageText::FromStringTable(111), nullptr, kMbIconStop);
  RunBox(expect("Error", 0), MessageText::FromStringTable(112), nullptr, kMbOk);
  SetMessageBoxServices({});
}

TEST(MessageBox, LongTextWrapsAndTheBoxCentresOnItsOwner) {
  QWidget owner;
  owner.setGeometry(100, 80, 600, 400);
  owner.show();
  QString text;
  while (text.size() < 2000) text += "The quick brown fox jumps over the lazy dog. ";
  const int screenWidth = QGuiApplication::primaryScreen()->geometry().width();
  RunBox(
      [&](QDialog* box) {
        const auto* label = box->findChild<QLabel*>("text");
        EXPECT_GT(label->text().count('\n'), 5);
        EXPECT_LE(label->width(), screenWidth * 60 / 100);
        // Within the width of the window frame, which the layout leaves out.
        EXPECT_LE((box->geometry().center() - owner.geometry().center()).manhattanLength(), 6);
        Grab(box, "question-long-text.png");
        box->accept();
      },
      text.toStdString(), "Question", kMbIconQuestion | kMbYesNoCancel, &owner);
}

}  // namespace
}  // namespace mascot
