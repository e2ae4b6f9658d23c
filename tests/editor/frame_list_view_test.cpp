#include "editor/frame_list_view.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QContextMenuEvent>
#include <QTest>

#include "editor/frame_row_dialog.h"
#include "imaging/bitmap.h"
#include "imaging/bmp_writer.h"
#include "dialogs/control_ids.h"
#include "dialogs/help_requests.h"
#include "dialogs/modal_dialog_driver.h"
#include "scratch_folder.h"

namespace mascot {
namespace {

// Frame i waits i..i+1 ms; every tenth jumps five frames back, three times.
std::vector<FrameRecord> ManyFrames(int count) {
  std::vector<FrameRecord> frames(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) {
    FrameRecord& f = frames[static_cast<std::size_t>(i)];
    f.fileName = "/art/f" + std::to_string(i) + ".bmp";
    f.minFrameDelay = static_cast<std::uint32_t>(i), f.maxFrameDelay = static_cast<std::uint32_t>(i + 1);
    if (i % 10 == 9) f.jumpFrame = i - 5, f.minLoopCount = f.maxLoopCount = 3;
  }
  return frames;
}

class FrameListViewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    view.resize(640, 260);
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    QObject::connect(&view, &FrameListView::frameChanged, [this](std::int32_t index, const FrameRecord* record) {
      changes.emplace_back(index, record ? std::optional(*record) : std::nullopt);
    });
  }

  // Row windows top to bottom, shown or not.
  std::vector<FrameRowDialog*> rowWindows() {
    auto windows = view.findChildren<FrameRowDialog*>();
    std::sort(windows.begin(), windows.end(), [](auto* a, auto* b) { return a->y() < b->y(); });
    return {windows.begin(), windows.end()};
  }
  QString text(int slot, int id) {
    QWidget* control = FindControl(rowWindows()[static_cast<std::size_t>(slot)], id);
    if (auto* spin = qobject_cast<QSpinBox*>(control)) return spin->text();
    if (auto* edit = qobject_cast<QLineEdit*>(control)) return edit->text();
    return qobject_cast<QAbstractButton*>(control)->text();
  }
  QScrollBar* scrollBar() { return view.findChild<QScrollBar*>(); }
  QWidget* marker() { return view.findChild<QWidget*>("currentFrameMarker"); }

  FrameListView view;
  std::vector<std::pair<std::int32_t, std::optional<FrameRecord>>> changes;
};

TEST_F(FrameListViewTest, ThousandsOfFramesShareAWindowfulOfRows) {
  view.setFrames(ManyFrames(2000));
  const auto windows = rowWindows();
  ASSERT_FALSE(windows.empty());
  const int fit = windows.front()->parentWidget()->height() / windows.front()->height();
  EXPECT_EQ(static_cast<int>(windows.size()), fit);
  EXPECT_EQ(scrollBar()->pageStep(), fit);
  EXPECT_EQ(scrollBar()->maximum(), 2000 - fit);

  scrollBar()->setValue(1000);
  EXPECT_EQ(text(0, 1025), "1001.");
  EXPECT_EQ(text(0, 1008), "f1000.bmp");
  EXPECT_EQ(text(0, 1013), "1000");
  EXPECT_EQ(text(0, 1097), "Next");
  EXPECT_EQ(text(0, 1017), "") << "no jump: empty loop counts";
  EXPECT_EQ(text(9, 1097), "1005") << "frame 1010 jumps to frame 1005";
  EXPECT_EQ(text(9, 1015), "3");

  // A stepped field reaches the parent and survives the scrolling.
  rowWindows()[0]->findChild<QSpinBox*>("maxDelay_1009")->stepBy(5);
  ASSERT_FALSE(changes.empty());
  EXPECT_EQ(changes.back().first, 1000);
  EXPECT_EQ(changes.back().second->maxFrameDelay, 1006u);
  scrollBar()->triggerAction(QAbstractSlider::SliderToMaximum);
  EXPECT_EQ(text(fit - 1, 1025), "2000.");
  scrollBar()->setValue(1000);
  EXPECT_EQ(text(0, 1009), "1006");
  std::vector<FrameRecord> frames;
  view.getFrames(frames);
  EXPECT_EQ(frames[1000].maxFrameDelay, 1006u);
}

TEST_F(FrameListViewTest, MarkerSitsBesideTheCurrentFramesNumberOrHides) {
  std::int32_t current = 2;
  view.setCurrentFrameQuery([&current] { return current; });
  view.setFrames(ManyFrames(2000));
  view.showCurrent(2);
  const FrameRowDialog* third = rowWindows()[2];
  ASSERT_TRUE(marker()->isVisible());
  EXPECT_EQ(marker()->geometry(), third->markerGap().translated(third->pos()));
  EXPECT_EQ(marker()->width(), 5);
  EXPECT_EQ(marker()->palette().color(QPalette::Window), QColor(0, 255, 0));

  view.showClicked(500);
  EXPECT_FALSE(marker()->isVisible());
  current = 500;
  scrollBar()->setValue(497);  // the list asks for the current frame
  EXPECT_TRUE(marker()->isVisible());
  EXPECT_EQ(marker()->y(), rowWindows()[3]->y() + third->markerGap().y());
}

TEST_F(FrameListViewTest, AddingAndRemovingFollowTheSelection) {
  view.setFrames(ManyFrames(2000));
  EXPECT_EQ(view.removeFrame(), -1);
  EXPECT_EQ(view.addFrame(), 2000);
  EXPECT_EQ(scrollBar()->value(), scrollBar()->maximum());
  const auto windows = rowWindows();
  EXPECT_EQ(text(static_cast<int>(windows.size()) - 1, 1025), "2001.");
  ASSERT_FALSE(changes.empty());
  EXPECT_EQ(changes.back().first, 0);

  scrollBar()->setValue(0);
  rowWindows()[1]->numberButton()->click();
  EXPECT_EQ(view.selection(), 1);
  EXPECT_EQ(view.addFrame(), 1);
  EXPECT_EQ(view.selection(), 2);
  EXPECT_TRUE(rowWindows()[2]->numberButton()->isChecked());
  EXPECT_EQ(view.removeFrame(), 2);
  EXPECT_EQ(view.selection(), -1);
  view.undo();
  EXPECT_EQ(view.count(), 2002);
  EXPECT_EQ(text(2, 1008), "f1.bmp");
}

TEST_F(FrameListViewTest, RowRulesRefuseAnOversizedPictureAndReadNextFrame) {
  const auto folder = testing::ScratchFolder();
  for (auto [name, width] : {std::pair{"small.bmp", 10}, std::pair{"other.bmp", 10}, std::pair{"wide.bmp", 321}})
    ASSERT_TRUE(WriteBmpFile(*Bitmap::Create(width, 10, 8), (folder / name).string()));
  FrameRecord frame;
  frame.fileName = (folder / "small.bmp").string();
  view.setFrames({frame, {}, {}});
  QLineEdit* edit = rowWindows()[0]->fileNameEdit();

  QString shown, caption;
  testing::WhenModalShows([&](QDialog* box) {
    caption = box->windowTitle();
    for (QLabel* label : box->findChildren<QLabel*>()) shown += label->text() + " ";
    box->done(1);
  });
  edit->setText("wide.bmp");
  QTest::keyClick(edit, Qt::Key_Return);
  EXPECT_TRUE(shown.contains("The selected image is too large.")) << shown.toStdString();
  EXPECT_EQ(caption, "Error");
  EXPECT_EQ(edit->text(), "small.bmp");
  EXPECT_TRUE(changes.empty());

  edit->setText("other.bmp");  // keeps the folder of the previous picture
  QTest::keyClick(edit, Qt::Key_Return);
  ASSERT_EQ(changes.size(), 1u);
  EXPECT_EQ(changes.back().second->fileName, (folder / "other.bmp").string());

  auto* next = rowWindows()[0]->findChild<QSpinBox*>("nextFrame_1097");
  next->findChild<QLineEdit*>()->setText("9");
  QTest::keyClick(next, Qt::Key_Return);
  EXPECT_EQ(next->text(), "Next") << "only 3 frames";
  EXPECT_EQ(changes.back().second->jumpFrame, -1);
  next->stepBy(-1);  // wraps to the last frame
  EXPECT_EQ(changes.back().second->jumpFrame, 2);

  auto* minimum = rowWindows()[0]->findChild<QSpinBox*>("minLoop_1017");
  minimum->stepBy(4);
  EXPECT_EQ(changes.back().second->maxLoopCount, 4u) << "the maximum follows the minimum";
}

TEST_F(FrameListViewTest, RightClickAsksForTheRowControlsHelp) {
  std::vector<std::pair<int, int>> asked;
  SetHelpServices({{}, [&asked](QWidget* dialog, QWidget* control, QPoint) {
                     asked.emplace_back(ControlId(dialog), ControlId(control));
                   }});
  view.setFrames(ManyFrames(3));
  QWidget* spinEdit = rowWindows()[0]->findChild<QSpinBox*>("maxLoop_1015")->findChild<QLineEdit*>();
  for (QWidget* control : {static_cast<QWidget*>(rowWindows()[0]->numberButton()), spinEdit}) {
    QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(2, 2), control->mapToGlobal(QPoint(2, 2)));
    QApplication::sendEvent(control, &click);
  }
  SetHelpServices({});
  ASSERT_EQ(asked.size(), 2u);
  EXPECT_EQ(asked[0], std::pair(136, 1025));
  EXPECT_EQ(asked[1].first, 136) << "the spin box's edit, which the help walks up from";
}

}  // namespace
}  // namespace mascot
