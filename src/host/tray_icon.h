#pragma once
#include <QEvent>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "dialogs/window_hook.h"
#include "host/tray_platform_icon.h"

class QMenu;

namespace mascot {

// The tooltip the icon of a resource number shows; empty for most numbers.
std::string TrayTipString(int id);
// At most kTrayTipCapacity - 1 bytes, never ending inside a character.
std::string CutTrayTip(std::string_view tip);

// The program's icon in the notification area. Its id names the popup menu
// that a right click opens (and a double-click takes the first command of),
// and, unless set apart with SetIcon, its picture and tooltip. The icon hooks
// the window that receives its mouse actions, and that window's top-level
// window, to see the tray host come back. A tray that reports activations
// instead of clicks runs the first command on a single activation and is
// given the menu to show itself.
class TrayIcon : public WindowHook {
 public:
  static constexpr int kCallbackMessage = 0x83F0;

  using CommandHandler = std::function<void(int commandId)>;
  using MenuPreparer = std::function<void(QMenu& popup)>;

  // Null platform: the desktop's own notification area.
  explicit TrayIcon(int id, std::unique_ptr<TrayPlatformIcon> platform = nullptr);
  ~TrayIcon() override;  // removes the icon, then detaches

  // Commands chosen on the icon arrive here after the mouse action is over,
  // as a posted command would.
  void setCommandHandler(CommandHandler handler) { commandHandler_ = std::move(handler); }
  // Enables the popup's items just before it shows, the tray's own too.
  void setMenuPreparer(MenuPreparer preparer) { menuPreparer_ = std::move(preparer); }

  // Null window detaches. Always true.
  bool Attach(QObject* window, int callbackMessage);
  // Picture and tooltip of resource id; 0 removes the icon.
  bool SetIcon(int id);
  // Adds, changes or (icon 0) removes the icon; the tooltip, when given,
  // replaces the current one.
  bool Update(int icon, std::optional<std::string> tooltip = std::nullopt);
  // Moves the icon to another id, so that it opens that id's menu.
  bool SetId(int id);
  // Disabled, the icon ignores mouse actions.
  void Enable(bool flag) { enabled_ = flag; }

  int id() const { return record_.id; }
  bool isShown() const { return record_.icon != 0; }
  int icon() const { return record_.icon; }
  const std::string& tip() const { return record_.tip; }
  bool isEnabled() const { return enabled_; }

 protected:
  // A mouse action: 1 when it was acted on.
  virtual int OnNotify(int id, int mouseMessage);
  // The tray host is new: what was shown is added again.
  virtual int OnTaskbarCreated();

  bool WindowProc(QEvent* event) override;

 private:
  class OwnerHook;

  const TrayIconRecord& currentRecord();
  void postCommand(int commandId);
  bool runsDefaultCommand(int mouseMessage) const;
  void giveTrayTheMenu();
  void fillTrayMenu();
  void prepareTrayMenu();

  bool enabled_ = true;
  TrayIconRecord record_;
  std::unique_ptr<OwnerHook> ownerHook_;
  // The menu a tray of kind kActivations shows; it outlives the platform icon.
  std::unique_ptr<QMenu> trayMenu_;
  std::unique_ptr<TrayPlatformIcon> platform_;
  QEvent::Type callbackType_ = QEvent::None;
  CommandHandler commandHandler_;
  MenuPreparer menuPreparer_;
};

}  // namespace mascot
