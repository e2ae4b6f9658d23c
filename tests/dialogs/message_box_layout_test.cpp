#include <gtest/gtest.h>

#include "dialogs/message_box.h"
#include "dialogs/message_box_layout.h"
#include "dialogs/message_text_wrap.h"

namespace mascot {
namespace {

TEST(MessageBoxChoices, ButtonSetsAndDefaults) {
  struct Case { unsigned flags; std::vector<int> buttons; int defaultButton; };
  const Case cases[] = {
      {kMbOk, {kIdOk}, 0},
      {kMbOkCancel | kMbDefButton2, {kIdOk, kIdCancel}, 1},
      {kMbAbortRetryIgnore | kMbDefButton3, {kIdAbort, kIdRetry, kIdIgnore}, 2},
      {kMbYesNoCancel | kMbHelp | kMbDefButton4, {kIdYes, kIdNo, kIdCancel, kIdHelp}, 3},
      {kMbYesNo | kMbDefButton3, {kIdYes, kIdNo}, 0},
      {kMbRetryCancel, {kIdRetry, kIdCancel}, 0},
      {6, {}, -1},
      {6 | kMbHelp, {kIdHelp}, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.flags);
    const auto buttons = MessageBoxButtons(c.flags);
    EXPECT_EQ(buttons, c.buttons);
    EXPECT_EQ(MessageBoxDefaultButton(c.flags, static_cast<int>(buttons.size())), c.defaultButton);
  }
  EXPECT_EQ(MessageBoxIconOf(0x50), MessageBoxIcon::None);
}

TEST(MessageBoxLayout, IconTextAndButtonRow) {
  struct Case { QSize icon, text; int buttons; QSize box; QRect textRect; int firstButtonX; };
  const Case cases[] = {
      // The icon is taller: the text is centred against it.
      {{32, 32}, {100, 16}, 1, {180, 108}, {70, 20, 100, 16}, 62},
      // The text is taller than the icon and sets the height.
      {{32, 32}, {200, 48}, 2, {280, 124}, {70, 12, 200, 48}, 82},
      // No icon, and the button row is wider than the text.
      {{}, {50, 80}, 3, {194, 136}, {8, 12, 50, 80}, 9},
  };
  for (const Case& c : cases) {
    const auto layout = LayoutMessageBox(c.icon, c.text, c.buttons, QSize(2, 2));
    EXPECT_EQ(layout.box, c.box);
    EXPECT_EQ(layout.text, c.textRect);
    EXPECT_EQ(layout.icon, c.icon.isEmpty() ? QRect() : QRect(QPoint(8, 12), c.icon));
    ASSERT_EQ(layout.buttons.size(), static_cast<std::size_t>(c.buttons));
    for (int i = 0; i < c.buttons; ++i)
      EXPECT_EQ(layout.buttons[i], QRect(c.firstButtonX + 60 * i, c.box.height() - 42, 56, 30));
  }
  EXPECT_EQ(CentreMessageBox(QRect(100, 50, 400, 300), QSize(200, 100)), QPoint(200, 150));
}

int SixPerChar(const QString& run) { return 6 * static_cast<int>(run.size()); }

TEST(MessageTextWrap, BreaksAtLineBreaksBlanksOrAnywhere) {
  EXPECT_EQ(WrapMessageText("aaa bbb ccc", 42, SixPerChar), QStringList({"aaa", "bbb ccc"}));
  EXPECT_EQ(WrapMessageText("ab\r\ncd ef", 600, SixPerChar), QStringList({"ab", "cd ef"}));
  EXPECT_EQ(WrapMessageText("abcdefghij", 24, SixPerChar), QStringList({"abcd", "efgh", "ij"}));
}

TEST(MessageTextWrap, LongTextWrapsAtSixtyPercentOfTheScreen) {
  QString text;
  for (int i = 0; text.size() < 2000; ++i) text += QString(1 + i % 9, QChar(u'a' + i % 26)) + ' ';
  const auto block = MeasureMessageText(text.trimmed(), 1000, SixPerChar, {13, 16});
  ASSERT_GT(block.lines.size(), 10);
  EXPECT_EQ(block.lines.join(' '), text.trimmed());
  EXPECT_EQ(block.size.height(), 16 * block.lines.size());
  EXPECT_LE(block.size.width(), 600);
  // Each line ends at the last blank among the 100 characters that fit.
  for (int i = 0; i + 1 < block.lines.size(); ++i)
    EXPECT_GE(block.lines[i].size() + 1 + block.lines[i + 1].section(' ', 0, 0).size(), 100);

  EXPECT_EQ(MeasureMessageText("Hello", 1000, SixPerChar, {13, 16}).size, QSize(40, 13));
  EXPECT_EQ(MeasureMessageText("ab\r\ncde", 1000, SixPerChar, {13, 16}).size, QSize(28, 32));
}

}  // namespace
}  // namespace mascot
