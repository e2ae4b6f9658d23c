#include "host/popup_menus.h"

#include <gtest/gtest.h>

#include <QAction>

#include <vector>

namespace mascot {
namespace {

TEST(PopupMenus, EnableByDocumentRotationAndWhatIsBuilt) {
  const MenuFeatures all{true, true, true, true, true, true};
  const struct {
    MenuState state;
    bool save, saveAs, forceNext;
  } cases[] = {{{false, false, true}, false, false, false},
               {{true, false, true}, false, true, false},
               {{true, true, false}, true, true, true}};
  for (const auto& c : cases) {
    EXPECT_EQ(IsMenuCommandEnabled(kCommandSaveMascot, all, c.state), c.save);
    EXPECT_EQ(IsMenuCommandEnabled(kCommandSaveMascotAs, all, c.state), c.saveAs);
    EXPECT_EQ(IsMenuCommandEnabled(kCommandForceNext, all, c.state), c.forceNext);
  }

  auto menu = BuildPopupMenu(kFileMenuId);
  MenuFeatures features;  // nothing beyond the file commands
  features.fileDialogs = true;
  EnableMenuItems(*menu, features, {true, true, false});
  for (QAction* action : menu->actions()) {
    const int id = MenuCommandOf(action);
    if (id == 0) continue;
    const bool built = id == kCommandOpenMascot || id == kCommandSaveMascot || id == kCommandSaveMascotAs ||
                       id == kCommandOpenPublished || id == kCommandExit;
    EXPECT_EQ(action->isEnabled(), built) << id;
  }
}

}  // namespace
}  // namespace mascot
