#include "host/popup_menus.h"

#include <QAction>
#include <QString>

namespace mascot {

namespace {

constexpr MenuItem kFileMenu[] = {
    {kCommandEditMascot, "Edit Mascot..."},
    {0, nullptr},
    {kCommandCreateMascot, "Create Mascot..."},
    {0, nullptr},
    {kCommandOpenMascot, "Open Mascot..."},
    {kCommandSaveMascot, "Save Mascot"},
    {kCommandSaveMascotAs, "Save Mascot As..."},
    {0, nullptr},
    {kCommandOpenPublished, "Open Published Mascot..."},
    {kCommandImportPylx, "Import PylX Mascot..."},
    {0, nullptr},
    {kCommandAbout, "About This Mascot"},
    {kCommandHelp, "Help"},
    {kCommandPreferences, "Preferences..."},
    {0, nullptr},
    {kCommandExit, "E&xit"},
};

constexpr MenuItem kPublishedMenu[] = {
    {kCommandOpenPublished, "Open Published Mascot..."},
    {kCommandImportPylx, "Import PylX Mascot..."},
    {kCommandForceNext, "Force Next Mascot"},
    {0, nullptr},
    {kCommandOpenMascot, "Open Mascot..."},
    {kCommandCreateMascot, "Create Mascot..."},
    {0, nullptr},
    {kCommandAbout, "About This Mascot"},
    {kCommandHelp, "Help"},
    {kCommandPreferences, "Preferences..."},
    {0, nullptr},
    {kCommandExit, "E&xit"},
};

bool FeatureBuilt(int id, const MenuFeatures& features) {
  switch (id) {
    case kCommandOpenMascot:
    case kCommandSaveMascot:
    case kCommandSaveMascotAs:
    case kCommandOpenPublished: return features.fileDialogs;
    case kCommandForceNext: return true;
    case kCommandCreateMascot:
    case kCommandEditMascot: return features.editor;
    case kCommandPreferences: return features.preferences;
    case kCommandImportPylx: return features.import;
    case kCommandAbout: return features.about;
    case kCommandHelp: return features.help;
    case kCommandExit: return true;
    default: return false;
  }
}

}  // namespace

std::span<const MenuItem> PopupMenuItems(int menuId) {
  if (menuId == kFileMenuId) return kFileMenu;
  if (menuId == kPublishedMenuId) return kPublishedMenu;
  return {};
}

bool IsMenuCommandEnabled(int id, const MenuFeatures& features, const MenuState& state) {
  if (!FeatureBuilt(id, features)) return false;
  switch (id) {
    case kCommandSaveMascot: return state.documentInstalled && state.documentModified;
    case kCommandSaveMascotAs: return state.documentInstalled;
    case kCommandForceNext: return !state.selectedListEmpty;
    default: return true;
  }
}

std::unique_ptr<QMenu> BuildPopupMenu(int menuId) {
  auto menu = std::make_unique<QMenu>();
  for (const MenuItem& item : PopupMenuItems(menuId)) {
    if (item.id == 0) {
      menu->addSeparator();
    } else {
      menu->addAction(QString::fromUtf8(item.text))->setData(item.id);
    }
  }
  return menu;
}

void EnableMenuItems(QMenu& menu, const MenuFeatures& features, const MenuState& state) {
  for (QAction* action : menu.actions()) {
    if (const int id = MenuCommandOf(action)) action->setEnabled(IsMenuCommandEnabled(id, features, state));
  }
}

int MenuCommandOf(const QAction* action) {
  return action && !action->isSeparator() ? action->data().toInt() : 0;
}

}  // namespace mascot
