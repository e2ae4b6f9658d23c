#pragma once
#include <QMenu>

#include <memory>
#include <span>

#include "commands/file_commands.h"  // the two menu ids

namespace mascot {

// Command ids of the menus and the tray icon.
enum MenuCommand : int {
  kCommandAbout = 104,
  kCommandExit = 105,
  kCommandCreateMascot = 32772,
  kCommandOpenMascot = 32773,
  kCommandSaveMascot = 32774,
  kCommandSaveMascotAs = 32775,
  kCommandEditMascot = 32776,
  kCommandOpenPublished = 32777,
  kCommandPreferences = 32778,
  kCommandImportPylx = 32782,
  kCommandHelp = 32783,
  kCommandForceNext = 32785,
};

struct MenuItem {
  int id;            // 0: a separator
  const char* text;  // '&' marks the mnemonic
};

// The items of menu 129 or 139 in their order; empty for any other id.
std::span<const MenuItem> PopupMenuItems(int menuId);

// Which parts of the program exist in this build: an item whose command
// has nothing behind it yet is shown disabled.
struct MenuFeatures {
  bool fileDialogs = false;  // open and save, which ask for a path
  bool editor = false;        // create, edit
  bool preferences = false;
  bool import = false;
  bool about = false;
  bool help = false;
};

// What the enabling rules look at when a popup opens.
struct MenuState {
  bool documentInstalled = false;
  bool documentModified = false;
  bool selectedListEmpty = true;
};

bool IsMenuCommandEnabled(int id, const MenuFeatures& features, const MenuState& state);

// A popup with one action per item, each carrying its id as data.
std::unique_ptr<QMenu> BuildPopupMenu(int menuId);
void EnableMenuItems(QMenu& menu, const MenuFeatures& features, const MenuState& state);
// The id an action of BuildPopupMenu carries; 0 for none.
int MenuCommandOf(const QAction* action);

}  // namespace mascot
