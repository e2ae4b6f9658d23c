#include "host/mascot_tool_tip.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>

#include "dialogs/maker_texts.h"
#include "host/tip_layout.h"

namespace mascot {
namespace {

TEST(TipLines, SecondLineIsByAndTheFirstLineOfTheCreatorInfo) {
  const struct {
    const char* info;
    const char* line;
  } cases[] = {
      {"", ""},
      {"Ann Example\r\nhttp://ann.example/\r\n", "by Ann Example"},
      {"Ann\nBob", "by Ann"},
      {"Ann\nBob\rCid", "by Ann\nBob"},  // a CR anywhere wins over an earlier LF
      {"Ann", "by Ann"},
  };
  for (const auto& c : cases) {
    const std::vector<TipLine> lines = BuildTipLines("Rex", c.info);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0].text, "Rex");
    EXPECT_EQ(lines[1].text, c.line) << c.info;
  }
  const std::vector<TipLine> lines = BuildTipLines("Rex", "");
  EXPECT_EQ(lines[2].url, kMakerWebAddress);
  EXPECT_EQ(lines[2].text, kMakerWebAddress);
  EXPECT_TRUE(lines[3].italic);
  EXPECT_EQ(lines[3].text, "see \"About this Mascot\" for more info");
}

TEST(TipLayout, LinesAreCentredInTheWidestAndStackedByTheirBoxes) {
  std::vector<TipLine> lines = BuildTipLines("Rex", "Ann");
  const TipLineMetrics metrics[] = {{40, 13, 14}, {61, 13, 14}, {100, 13, 15}, {75, 14, 14}};
  const TipSize content = LayOutTipLines(lines, metrics);
  EXPECT_EQ(content, (TipSize{100, 53}));
  EXPECT_EQ(lines[0].rect, (Rect{30, 0, 70, 14}));
  EXPECT_EQ(lines[1].rect, (Rect{19, 14, 80, 28}));
  EXPECT_EQ(lines[2].rect, (Rect{0, 28, 100, 43}));
  EXPECT_EQ(lines[3].rect, (Rect{12, 43, 87, 57}));
  EXPECT_EQ(TipWindowSize(content), (TipSize{105, 58}));
}

TEST(TipLayout, PlacementKeepsTheTipOnTheWorkArea) {
  const TipSize tip{100, 60};
  const struct {
    TipPoint pointer;
    Rect area;
    TipPoint expected;
  } cases[] = {
      {{400, 300}, {0, 0, 1024, 740}, {350, 270}},
      {{1020, 735}, {0, 0, 1024, 740}, {924, 680}},  // bottom-right corner: pushed inside
      {{10, 5}, {0, 0, 1024, 740}, {0, 0}},          // top-left corner
      {{130, 70}, {100, 50, 800, 600}, {80, 40}},    // an area not at 0 does not pull it in
      {{20, 10}, {100, 50, 800, 600}, {0, 0}},       // negatives are raised to 0 only
  };
  for (const auto& c : cases) {
    const TipPoint at = PlaceTip(c.pointer, tip, c.area);
    EXPECT_EQ(at, c.expected) << c.pointer.x << "," << c.pointer.y;
  }
}

TEST(TipLines, LinkHitTestIsHalfOpenAndIgnoresTheMargin) {
  std::vector<TipLine> lines = BuildTipLines("Rex", "Ann");
  const TipLineMetrics metrics[] = {{40, 13, 14}, {61, 13, 14}, {60, 13, 15}, {100, 14, 14}};
  LayOutTipLines(lines, metrics);  // the link spans x 20..80, y 28..43
  EXPECT_EQ(FirstLinkAt(lines, 20, 28), 2);
  EXPECT_EQ(FirstLinkAt(lines, 79, 42), 2);
  EXPECT_EQ(FirstLinkAt(lines, 19, 30), -1);  // the margin beside the centred text
  EXPECT_EQ(FirstLinkAt(lines, 80, 30), -1);
  EXPECT_EQ(FirstLinkAt(lines, 50, 43), -1);
}

class FakeDesktop final : public TipDesktop {
 public:
  QPoint pointerPosition() const override { return pointer; }
  Qt::MouseButtons pointerButtons() const override { return buttons; }
  QRect workAreaAt(QPoint) const override { return {0, 0, 1024, 740}; }
  bool openUrl(const QString& url) override {
    opened.push_back(url);
    return openWorks;
  }

  QPoint pointer;
  Qt::MouseButtons buttons = Qt::NoButton;
  bool openWorks = true;
  std::vector<QString> opened;
};

class MascotToolTipTest : public ::testing::Test {
 protected:
  void SetUp() override {
    auto fake = std::make_unique<FakeDesktop>();
    desktop = fake.get();
    tip = std::make_unique<MascotToolTip>(std::move(fake));
    mascot.setGeometry(200, 200, 80, 80);
    ASSERT_TRUE(tip->SetMascotTip(&mascot, "Rex", "Ann\r\nmore"));
  }

  void send(QEvent::Type type, QPoint global, Qt::MouseButton button = Qt::NoButton) {
    QMouseEvent event(type, QPointF(global - mascot.pos()), QPointF(global), button, button, Qt::NoModifier);
    QApplication::sendEvent(&mascot, &event);
  }

  // The pointer rests where it last moved over the mascot, and timer 1 fires.
  void restAt(QPoint global) {
    send(QEvent::MouseMove, global);
    desktop->pointer = global;
    tip->restTimerElapsed();
  }

  void clickTip(QPoint client) {
    const QPoint local = client + QPoint(1, 1);  // inside the border
    QMouseEvent event(QEvent::MouseButtonPress, QPointF(local), QPointF(tip->tipWindow()->mapToGlobal(local)),
                      Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(tip->tipWindow(), &event);
  }

  QWidget mascot;
  FakeDesktop* desktop = nullptr;
  std::unique_ptr<MascotToolTip> tip;
};

TEST_F(MascotToolTipTest, ARestShowsTheTipCentredOnThePointerAndItLeavesWithThePointer) {
  QWidget* window = tip->tipWindow();
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(window->objectName(), "Mascot Tool Tip");
  EXPECT_TRUE(mascot.hasMouseTracking());

  send(QEvent::MouseMove, {240, 250});
  EXPECT_TRUE(tip->isResting());
  desktop->pointer = {241, 250};  // one pixel sideways is still a rest
  tip->restTimerElapsed();
  ASSERT_TRUE(window->isVisible());
  EXPECT_EQ(window->pos(), QPoint(241 - window->width() / 2, 250 - window->height() / 2));

  tip->leaveTimerElapsed();  // the pointer is on the tip
  EXPECT_TRUE(window->isVisible());
  desktop->pointer = window->geometry().bottomRight() + QPoint(1, 0);
  tip->leaveTimerElapsed();
  EXPECT_FALSE(window->isVisible());

  send(QEvent::MouseMove, {240, 250});
  desktop->pointer = {240, 251};  // no vertical drift at all
  tip->restTimerElapsed();
  EXPECT_FALSE(window->isVisible());
}

TEST_F(MascotToolTipTest, MovingOverTheMascotHidesTheTipAndHeldButtonsDoNotRest) {
  restAt({240, 250});
  ASSERT_TRUE(tip->tipWindow()->isVisible());
  send(QEvent::MouseMove, {230, 250});
  EXPECT_FALSE(tip->tipWindow()->isVisible());

  // A fresh tip: timer 1 of the rest above still runs.
  auto fake = std::make_unique<FakeDesktop>();
  desktop = fake.get();
  tip = std::make_unique<MascotToolTip>(std::move(fake));
  tip->SetMascotTip(&mascot, "Rex", "");
  desktop->buttons = Qt::RightButton;
  send(QEvent::MouseMove, {240, 250});
  EXPECT_FALSE(tip->isResting());
  send(QEvent::MouseButtonPress, {240, 250}, Qt::MiddleButton);
  EXPECT_TRUE(tip->isResting());
}

TEST_F(MascotToolTipTest, OnlyAClickOnTheLinkTextOpensIt) {
  restAt({240, 250});
  const Rect link = tip->lines()[2].rect;
  ASSERT_GT(link.left, 0);

  clickTip({link.left - 1, link.top});          // the margin
  clickTip({(link.left + link.right) / 2, 2});  // the name
  EXPECT_TRUE(desktop->opened.empty());

  desktop->openWorks = false;
  clickTip({link.left, link.top});
  EXPECT_TRUE(tip->tipWindow()->isVisible());  // a failure beeps and keeps the tip

  desktop->openWorks = true;
  clickTip({link.right - 1, link.bottom - 1});
  ASSERT_EQ(desktop->opened.size(), 2u);
  EXPECT_EQ(desktop->opened[1], kMakerWebAddress);
  EXPECT_FALSE(tip->tipWindow()->isVisible());
}

}  // namespace
}  // namespace mascot
