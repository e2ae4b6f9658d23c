#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include "dialogs/about_dialog.h"
#include "dialogs/creator_info_dialog.h"
#include "dialogs/help_requests.h"
#include "dialogs/program_version.h"
#include "dialogs/readme_dialog.h"
#include "model/mascot_document.h"
#include "modal_dialog_driver.h"

namespace mascot {
namespace {

using testing::Find;
using testing::WhenModalShows;

QString Text(QDialog* dialog, int id) {
  QWidget* control = FindControl(dialog, id);
  if (auto* line = qobject_cast<QLineEdit*>(control)) return line->text();
  if (auto* edit = qobject_cast<QPlainTextEdit*>(control)) return edit->toPlainText();
  if (auto* label = qobject_cast<QLabel*>(control)) return label->text();
  ADD_FAILURE() << "no text control " << id;
  return {};
}

void Press(QDialog* dialog, int id) { Find<QPushButton>(dialog, id)->click(); }

TEST(AboutBox, VersionSuffixOfTheCaption) {
  EXPECT_EQ(VersionCaptionSuffix({1, 2, 0}), " v1.20");
  EXPECT_EQ(VersionCaptionSuffix({0, 1, 0}), " v0.10");
}

TEST(AboutBox, WithoutAMascotKeepsTheTemplate) {
  WhenModalShows([](QDialog* about) {
    EXPECT_EQ(about->windowTitle().toStdString(),
              "Tovra Mascot" + VersionCaptionSuffix(CurrentProgramVersion()));
    for (int id : {1000, 1007, 1008, 1105}) EXPECT_TRUE(Text(about, id).isEmpty()) << id;
    EXPECT_EQ(Text(about, 1111), "v1.1");
    EXPECT_EQ(Text(about, 1110), "v1.1");
    EXPECT_FALSE(Find<QPushButton>(about, 1021)->isEnabled());
    QTest::keyClick(about, Qt::Key_Escape);
  });
  EXPECT_EQ(ShowAbout(nullptr), 2);
}

TEST(AboutBox, ShowsTheMascotAndItsReadme) {
  MascotDocument document;
  document.name = "Pip";
  document.creatorInfo = "Ann\r\nBox 12";
  document.mascotInfo = "A small bird.";
  document.readme = "Hello\r\nthere";
  document.formatVersion = 0x0100;
  unsigned helpCommand = 0;
  SetHelpServices({[&](unsigned command, unsigned long) { helpCommand = command; }, {}});
  WhenModalShows([](QDialog* about) {
    EXPECT_EQ(Text(about, 1000), "Pip");
    EXPECT_EQ(Text(about, 1007), "Ann");
    EXPECT_EQ(Text(about, 1008), "Box 12");
    EXPECT_EQ(Text(about, 1105), "A small bird.");
    EXPECT_EQ(Text(about, 1111), "v1.0");
    EXPECT_EQ(Text(about, 1110), "v1.2");
    Press(about, 1020);
    WhenModalShows([](QDialog* readme) {
      EXPECT_EQ(Text(readme, 1109), "Hello\nthere");
      EXPECT_TRUE(Find<QPlainTextEdit>(readme, 1109)->isReadOnly());
      Press(readme, 1);
    });
    Press(about, 1021);
    Press(about, 1);
  });
  EXPECT_EQ(ShowAbout(&document), 1);
  EXPECT_EQ(helpCommand, kHelpFinder);
  SetHelpServices({});
}

TEST(CreatorInformation, FillsLimitsAndStores) {
  CreatorInfo info{"Ann", "Box 12\r\nTown", std::string(100, 'm'), "old readme"};
  unsigned long helpContext = 0;
  SetHelpServices({[&](unsigned, unsigned long data) { helpContext = data; }, {}});
  WhenModalShows([](QDialog* dialog) {
    EXPECT_EQ(Text(dialog, 1008), "Box 12\nTown");
    auto* name = Find<QLineEdit>(dialog, 1007);
    name->setFocus();
    name->end(false);
    QTest::keyClicks(name, QString(100, u'x'));
    EXPECT_EQ(name->text().size(), 90);
    // Text already longer than the limit stays, but typing adds nothing.
    auto* mascotInfo = Find<QPlainTextEdit>(dialog, 1105);
    mascotInfo->setFocus();
    mascotInfo->moveCursor(QTextCursor::End);
    QTest::keyClicks(mascotInfo, QString(40, u'y'));
    EXPECT_EQ(mascotInfo->toPlainText().size(), 128);
    Press(dialog, 1069);
    WhenModalShows([](QDialog* readme) {
      auto* text = Find<QPlainTextEdit>(readme, 1109);
      EXPECT_FALSE(text->isReadOnly());
      text->setPlainText("new\nreadme");
      Press(readme, 1);
    });
    Press(dialog, 1019);
    Press(dialog, 1);
  });
  EXPECT_EQ(EditCreatorInfo(nullptr, &info), 1);
  EXPECT_EQ(info.creatorName, "Ann" + std::string(87, 'x'));
  EXPECT_EQ(info.contactInfo, "Box 12\r\nTown");
  EXPECT_EQ(info.mascotInfo, std::string(100, 'm') + std::string(28, 'y'));
  EXPECT_EQ(info.readme, "new\r\nreadme");
  EXPECT_EQ(helpContext, kHelpContextCreatorInfo);
  SetHelpServices({});
}

TEST(CreatorInformation, CancelAndNoRecordGiveTwo) {
  CreatorInfo info{"Ann", "", "", ""};
  WhenModalShows([](QDialog* dialog) {
    Find<QLineEdit>(dialog, 1007)->setText("Bob");
    Press(dialog, 2);
  });
  EXPECT_EQ(EditCreatorInfo(nullptr, &info), 2);
  EXPECT_EQ(info.creatorName, "Ann");
  EXPECT_EQ(EditCreatorInfo(nullptr, nullptr), 2);
}

TEST(ReadMe, ReadOnlyShowsOnlyOkAndRefusesTyping) {
  CreatorInfo info{"", "", "", "Line one\r\nLine two"};
  WhenModalShows([](QDialog* readme) {
    EXPECT_TRUE(Find<QPushButton>(readme, 2)->isHidden());
    EXPECT_TRUE(Find<QPushButton>(readme, 1069)->isHidden());
    auto* ok = Find<QPushButton>(readme, 1);
    EXPECT_NEAR(ok->mapTo(readme, ok->rect().center()).x(), readme->width() / 2, 2);
    auto* text = Find<QPlainTextEdit>(readme, 1109);
    EXPECT_EQ(readme->focusWidget(), text);
    EXPECT_FALSE(text->textCursor().hasSelection());
    QTest::keyClicks(text, "typed");
    QTest::keyClick(text, Qt::Key_Delete);
    EXPECT_EQ(text->toPlainText(), "Line one\nLine two");
    Press(readme, 1);
  });
  EXPECT_EQ(EditReadme(nullptr, &info, true), 1);
  EXPECT_EQ(info.readme, "Line one\r\nLine two");
}

TEST(ReadMe, EditableOkStoresAndCancelKeeps) {
  for (const int button : {1, 2}) {
    CreatorInfo info{"", "", "", "old"};
    WhenModalShows([button](QDialog* readme) {
      QTest::keyClicks(Find<QPlainTextEdit>(readme, 1109), "new ");
      Press(readme, button);
    });
    EXPECT_EQ(EditReadme(nullptr, &info, false), button);
    EXPECT_EQ(info.readme, button == 1 ? "new old" : "old");
  }
}

}  // namespace
}  // namespace mascot
