#include <gtest/gtest.h>

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>

#include "dialogs/load_error_lines.h"
#include "dialogs/load_errors_dialog.h"
#include "modal_dialog_driver.h"

namespace mascot {
namespace {

using testing::Find;
using testing::WhenModalShows;

TEST(LoadErrors, SplitsTrimsAndDropsEmptyLines) {
  using Lines = std::vector<std::string>;
  EXPECT_EQ(SplitLoadErrors("a\r\nb\r\nc\r\n"), (Lines{"a", "b", "c"}));
  EXPECT_EQ(SplitLoadErrors("  one \n\n\t\r\n two"), (Lines{"one", "two"}));
  EXPECT_EQ(SplitLoadErrors("lone\rCR"), (Lines{"lone\rCR"}));
  EXPECT_EQ(SplitLoadErrors(" \r\n"), Lines{});
}

TEST(LoadErrors, ExtentOnlyForLinesWiderThanTheList) {
  EXPECT_EQ(LoadErrorsExtent(100, 100), 0);
  EXPECT_EQ(LoadErrorsExtent(101, 100), 151);
  EXPECT_EQ(LoadErrorsExtent(300, 200), 450);
}

TEST(LoadErrors, ListsTheLinesAndScrollsSidewaysForLongOnes) {
  const std::string longLine = "Error (2001)! Loading image \"" + std::string(150, 'w') + ".bmp\" - Not found";
  WhenModalShows([&longLine](QDialog* dialog) {
    EXPECT_EQ(Find<QLabel>(dialog, 1092)->text(), "pip.mascot");
    auto* list = Find<QListWidget>(dialog, 1094);
    ASSERT_EQ(list->count(), 3);
    EXPECT_EQ(list->item(2)->text(), "third");
    const int widest = list->fontMetrics().horizontalAdvance(QString::fromStdString(longLine));
    const int extent = LoadErrorsExtent(widest, list->viewport()->width());
    ASSERT_GT(extent, 0);
    EXPECT_EQ(list->horizontalScrollBar()->maximum(), extent - list->viewport()->width());
    Find<QPushButton>(dialog, 2)->click();
  });
  EXPECT_EQ(ShowLoadErrors(nullptr, "first\r\n" + longLine + "\r\nthird\r\n", "pip.mascot"), 2);
}

}  // namespace
}  // namespace mascot
