#include "host/tray_icon.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <memory>
#include <string>
#include <vector>

#include "host/popup_menus.h"
#include "host/tray_events.h"

namespace mascot {
namespace {

using Calls = std::vector<std::string>;

// Records each call as "action id icon flags tip".
class FakeTray final : public TrayPlatformIcon {
 public:
  explicit FakeTray(Calls& calls) : calls_(calls) {}
  bool accepts = true;
  TrayKind trayKind = TrayKind::kClicks;
  QMenu* menu = nullptr;
  TrayKind kind() const override { return trayKind; }
  void setMenu(QMenu& given) override { menu = &given; }
  bool add(const TrayIconRecord& r) override { return log("add", r); }
  bool modify(const TrayIconRecord& r) override { return log("modify", r); }
  bool remove(const TrayIconRecord& r) override { return log("remove", r); }

 private:
  bool log(const char* action, const TrayIconRecord& r) {
    calls_.push_back(std::string(action) + ' ' + std::to_string(r.id) + ' ' + std::to_string(r.icon) + ' ' +
                     std::to_string(r.flags) + ' ' + r.tip);
    return accepts;
  }
  Calls& calls_;
};

class TrayIconTest : public ::testing::Test {
 protected:
  void make(int id, TrayKind kind = TrayKind::kClicks) {
    auto fake = std::make_unique<FakeTray>(calls);
    fake->trayKind = kind;
    platform = fake.get();
    tray = std::make_unique<TrayIcon>(id, std::move(fake));
    tray->Attach(&window, TrayIcon::kCallbackMessage);
    tray->setCommandHandler([this](int command) { commands.push_back(command); });
    tray->SetIcon(108);
    calls.clear();
  }

  // A mouse action as the platform reports it. A popup it opens gets the
  // keys; the command comes once events run, not inside the action.
  void click(int id, int mouseMessage, std::vector<int> keys = {}) {
    QTimer::singleShot(50, [this, keys] {
      auto* popup = qobject_cast<QMenu*>(QApplication::activePopupWidget());
      if (popup == nullptr) return;
      popupDefault = MenuCommandOf(popup->defaultAction());
      // Keys count from the first item, wherever an earlier test left the pointer.
      popup->setActiveAction(popup->actions().value(0));
      for (const int key : keys) QTest::keyClick(popup, static_cast<Qt::Key>(key));
      popup->close();
    });
    TrayCallbackEvent event(TrayIcon::kCallbackMessage, id, mouseMessage);
    QCoreApplication::sendEvent(&window, &event);
    EXPECT_TRUE(commands.empty());
    QTest::qWait(100);
  }

  QWidget window;
  Calls calls;
  std::vector<int> commands;
  FakeTray* platform = nullptr;
  std::unique_ptr<TrayIcon> tray;
  int popupDefault = 0;
};

TEST_F(TrayIconTest, AddsChangesMovesAndRemovesOnlyWhenThereIsSomethingToDo) {
  make(kFileMenuId);
  tray->SetIcon(150);
  tray->SetId(kFileMenuId);
  tray->SetId(kPublishedMenuId);
  tray->SetIcon(0);
  tray->SetIcon(0);
  tray->SetId(kFileMenuId);
  EXPECT_EQ(calls, (Calls{"modify 129 150 7 Tovra Mascot Editor", "remove 129 150 7 Tovra Mascot Editor",
                          "add 139 150 7 Tovra Mascot Editor", "remove 139 150 5 Tovra Mascot Editor"}));

  tray->SetIcon(108);
  tray.reset();
  EXPECT_EQ(calls.back(), "remove 129 108 5 Tovra Mascot");
}

TEST_F(TrayIconTest, CutsLongTipsOnACharacterBoundaryAndRetriesRefusedIcons) {
  make(kFileMenuId);
  const std::string e = "\xC3\xA9", a125(125, 'a');
  const std::pair<std::string, std::string> tips[] = {{a125 + "bb", a125 + "bb"},
                                                       {a125 + "bbb", a125 + "bb"},
                                                       {a125 + "b" + e, a125 + "b"},
                                                       {a125 + e + "b", a125 + e}};
  for (const auto& [tip, shown] : tips) {
    tray->Update(108, tip);
    EXPECT_EQ(calls.back(), "modify 129 108 7 " + shown);
  }

  platform->accepts = false;
  EXPECT_FALSE(tray->SetIcon(150));
  EXPECT_FALSE(tray->isShown());
  platform->accepts = true;
  tray->SetIcon(150);
  EXPECT_EQ(calls.back(), "add 129 150 7 Tovra Mascot Editor");
}

TEST_F(TrayIconTest, TheFirstCommandRunsOnADoubleClickOrWhereThereIsNoneOnAClick) {
  struct Case {
    TrayKind kind;
    int menu;
    int mouseMessage;
    int command;  // 0: none
  };
  const Case cases[] = {
      {TrayKind::kClicks, kFileMenuId, kTrayLeftDoubleClick, kCommandEditMascot},
      {TrayKind::kClicks, kPublishedMenuId, kTrayLeftDoubleClick, kCommandOpenPublished},
      {TrayKind::kClicks, kPublishedMenuId, kTrayLeftButtonUp, 0},  // the first half of a double click
      {TrayKind::kActivations, kPublishedMenuId, kTrayLeftButtonUp, kCommandOpenPublished},
      {TrayKind::kActivations, kFileMenuId, kTrayLeftButtonUp, kCommandEditMascot},
      {TrayKind::kActivations, kFileMenuId, kTrayMiddleButtonUp, 0},
  };
  for (const Case& c : cases) {
    make(c.menu, c.kind);
    commands.clear();
    click(c.menu, c.mouseMessage);
    EXPECT_EQ(commands, c.command ? std::vector<int>{c.command} : std::vector<int>{})
        << "kind " << int(c.kind) << ", menu " << c.menu << ", message " << c.mouseMessage;
  }

  make(kPublishedMenuId, TrayKind::kActivations);
  commands.clear();
  click(kFileMenuId, kTrayLeftButtonUp);  // not this icon's id
  tray->Enable(false);
  click(kPublishedMenuId, kTrayLeftButtonUp);
  click(kPublishedMenuId, kTrayLeftDoubleClick);
  click(kPublishedMenuId, kTrayRightButtonUp, {Qt::Key_Down, Qt::Key_Return});
  EXPECT_TRUE(commands.empty());
  EXPECT_EQ(popupDefault, 0);
}

TEST_F(TrayIconTest, RightClickOffersThePreparedMenuWithTheFirstItemAsDefault) {
  make(kPublishedMenuId);
  tray->setMenuPreparer([](QMenu& popup) {
    for (QAction* action : popup.actions())
      if (MenuCommandOf(action) == kCommandImportPylx) action->setEnabled(false);
  });
  click(kPublishedMenuId, kTrayRightButtonUp, {Qt::Key_Down, Qt::Key_Return});
  EXPECT_EQ(popupDefault, kCommandOpenPublished);
  EXPECT_EQ(commands, std::vector<int>{kCommandForceNext});  // past the disabled import
}

TEST_F(TrayIconTest, ATrayThatShowsTheMenuItselfGetsOnePreparedMenuThatFollowsTheId) {
  make(kPublishedMenuId);
  EXPECT_EQ(platform->menu, nullptr) << "the X11 tray would open it besides the program's own";

  make(kPublishedMenuId, TrayKind::kActivations);
  QMenu* menu = platform->menu;
  ASSERT_NE(menu, nullptr);
  tray->setMenuPreparer([](QMenu& popup) {
    for (QAction* action : popup.actions())
      if (MenuCommandOf(action) == kCommandImportPylx) action->setEnabled(false);
  });
  const auto items = [&] {
    std::vector<int> ids;
    for (const QAction* action : menu->actions()) ids.push_back(MenuCommandOf(action));
    return ids;
  };
  const auto expectedItems = [](int menuId) {
    std::vector<int> ids;
    for (const MenuItem& item : PopupMenuItems(menuId)) ids.push_back(item.id);
    return ids;
  };
  const auto action = [&](int command) {
    for (QAction* action : menu->actions())
      if (MenuCommandOf(action) == command) return action;
    return static_cast<QAction*>(nullptr);
  };
  EXPECT_EQ(items(), expectedItems(kPublishedMenuId));
  EXPECT_EQ(MenuCommandOf(menu->defaultAction()), kCommandOpenPublished);

  // Prepared as it is about to show; a chosen item arrives once events run.
  emit menu->aboutToShow();
  EXPECT_FALSE(action(kCommandImportPylx)->isEnabled());
  EXPECT_TRUE(action(kCommandForceNext)->isEnabled());
  action(kCommandForceNext)->trigger();
  EXPECT_TRUE(commands.empty());
  QTest::qWait(20);
  EXPECT_EQ(commands, std::vector<int>{kCommandForceNext});

  // The same menu, with the editing items, after a move to the other id.
  tray->SetId(kFileMenuId);
  EXPECT_EQ(platform->menu, menu);
  EXPECT_EQ(items(), expectedItems(kFileMenuId));
  EXPECT_EQ(MenuCommandOf(menu->defaultAction()), kCommandEditMascot);

  // While a dialog runs: every item disabled, and nothing chosen gets through.
  commands.clear();
  tray->Enable(false);
  emit menu->aboutToShow();
  EXPECT_FALSE(action(kCommandExit)->isEnabled());
  action(kCommandExit)->trigger();
  tray->Enable(true);
  emit menu->aboutToShow();
  EXPECT_TRUE(action(kCommandExit)->isEnabled());
  QTest::qWait(20);
  EXPECT_TRUE(commands.empty());
}

TEST_F(TrayIconTest, NewTrayHostOnEitherHookedWindowGetsTheIconAgain) {
  QWidget topLevel;
  auto* child = new QWidget(&topLevel);
  make(kFileMenuId);
  tray->Attach(child, TrayIcon::kCallbackMessage);
  tray->SetIcon(150);
  tray->SetId(kPublishedMenuId);
  calls.clear();

  TaskbarCreatedEvent announcement;
  QCoreApplication::sendEvent(&topLevel, &announcement);
  QCoreApplication::sendEvent(child, &announcement);
  const std::string added = "add 139 150 7 Tovra Mascot Editor";
  EXPECT_EQ(calls, (Calls{added, added}));

  tray->SetIcon(0);
  calls.clear();
  QCoreApplication::sendEvent(&topLevel, &announcement);
  EXPECT_TRUE(calls.empty());
}

}  // namespace
}  // namespace mascot
