#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QTest>
#include <memory>

#include "dialogs/hyperlink_label.h"
#include "dialogs/wait_cursor.h"

namespace mascot {
namespace {

QColor TextColour(const QLabel& label) { return label.palette().color(QPalette::WindowText); }

TEST(Hyperlink, TurnsPurpleOnlyOnceOpened) {
  std::vector<QString> opened;
  bool succeed = false;
  SetLinkOpener([&](const QUrl& url) {
    opened.push_back(url.toString());
    return succeed;
  });
  QLabel label("https://example.test/");
  AttachHyperlink(&label, "https://example.test/");
  EXPECT_EQ(TextColour(label), QColor(0, 0, 255));
  EXPECT_TRUE(label.font().bold() && label.font().underline());

  QTest::mouseClick(&label, Qt::LeftButton);  // fails: beeps, stays blue
  QTest::mouseClick(&label, Qt::RightButton);
  EXPECT_EQ(opened.size(), 1u);
  EXPECT_EQ(TextColour(label), QColor(0, 0, 255));

  succeed = true;
  QTest::mouseClick(&label, Qt::LeftButton);
  EXPECT_EQ(opened.back(), "https://example.test/");
  EXPECT_TRUE(FindHyperlink(&label)->visited());
  EXPECT_EQ(TextColour(label), QColor(128, 0, 128));

  QLabel nowhere("nowhere");
  AttachHyperlink(&nowhere, "");
  QTest::mouseClick(&nowhere, Qt::LeftButton);
  EXPECT_EQ(opened.size(), 2u);
  SetLinkOpener({});
}

TEST(Hyperlink, ANewFontBecomesTheLinkFont) {
  QLabel label("link");
  AttachHyperlink(&label, "https://example.test/");
  QFont large = label.font();
  large.setBold(false);
  large.setUnderline(false);
  large.setPointSize(20);
  label.setFont(large);
  EXPECT_EQ(label.font().pointSize(), 20);
  EXPECT_TRUE(label.font().bold() && label.font().underline());
}

TEST(Hyperlink, LeavesTheTableWithItsLabel) {
  auto label = std::make_unique<QLabel>("link");
  const QLabel* address = label.get();
  AttachHyperlink(label.get(), "https://a.test/");
  AttachHyperlink(label.get(), "https://b.test/");
  EXPECT_EQ(FindHyperlink(address)->url(), "https://b.test/");
  label.reset();
  EXPECT_EQ(FindHyperlink(address), nullptr);
}

TEST(WaitCursor, NestsAndRestoresTheCursorBefore) {
  QApplication::setOverrideCursor(Qt::CrossCursor);
  {
    WaitCursor outer;
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    {
      WaitCursor inner;
      EXPECT_EQ(WaitCursor::holders(), 2);
    }
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
  }
  EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::CrossCursor);
  QApplication::restoreOverrideCursor();
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

}  // namespace
}  // namespace mascot
