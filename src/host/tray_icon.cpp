#include "host/tray_icon.h"

#include <QCursor>
#include <QMenu>
#include <QWidget>

#include <algorithm>

#include "host/popup_menus.h"
#include "host/qt_tray_platform_icon.h"
#include "host/tray_events.h"

namespace mascot {

std::string TrayTipString(int id) {
  switch (id) {
    case 108: return "Tovra Mascot";
    case 150: return "Tovra Mascot Editor";
    default: return {};
  }
}

std::string CutTrayTip(std::string_view tip) {
  std::size_t length = std::min(tip.size(), kTrayTipCapacity - 1);
  // Back off continuation bytes, so the character they belong to goes whole.
  if (length < tip.size()) {
    while (length > 0 && (static_cast<unsigned char>(tip[length]) & 0xC0) == 0x80) --length;
  }
  return std::string(tip.substr(0, length));
}

namespace {

// Follows parents, and for windows their owners, up to the outermost window.
QObject* TopLevelOwner(QObject* window) {
  auto* widget = qobject_cast<QWidget*>(window);
  if (widget == nullptr) return window;
  while (widget->parentWidget() != nullptr) widget = widget->parentWidget();
  return widget;
}

QAction* FirstItem(const QMenu& menu) {
  const auto actions = menu.actions();
  return actions.isEmpty() ? nullptr : actions.front();
}

}  // namespace

// The tray host announces itself to top-level windows; when the icon's
// window is a child, its top-level window hears it.
class TrayIcon::OwnerHook final : public WindowHook {
 public:
  explicit OwnerHook(TrayIcon& icon) : icon_(icon) {}

 protected:
  bool WindowProc(QEvent* event) override {
    if (event->type() == TaskbarCreatedEvent::Type()) icon_.OnTaskbarCreated();
    return PassOn(event);
  }

 private:
  TrayIcon& icon_;
};

TrayIcon::TrayIcon(int id, std::unique_ptr<TrayPlatformIcon> platform)
    : ownerHook_(std::make_unique<OwnerHook>(*this)),
      platform_(platform ? std::move(platform) : std::make_unique<QtTrayPlatformIcon>()) {
  record_.id = id;
  record_.tip = CutTrayTip(TrayTipString(id));
  if (platform_->kind() == TrayKind::kActivations) giveTrayTheMenu();
}

TrayIcon::~TrayIcon() {
  SetIcon(0);
  // Detached here, not in the base: no event may reach a half-destroyed icon.
  ownerHook_->Attach(nullptr);
  WindowHook::Attach(nullptr);
}

bool TrayIcon::Attach(QObject* window, int callbackMessage) {
  record_.callbackMessage = callbackMessage;
  callbackType_ = TrayCallbackEvent::TypeFor(callbackMessage);
  WindowHook::Attach(window);
  QObject* owner = window ? TopLevelOwner(window) : nullptr;
  ownerHook_->Attach(owner != window ? owner : nullptr);
  return true;
}

bool TrayIcon::SetIcon(int id) {
  if (id == 0) return Update(0);
  record_.tip = CutTrayTip(TrayTipString(id));
  return Update(id);
}

bool TrayIcon::Update(int icon, std::optional<std::string> tooltip) {
  record_.flags = 0;
  enum { kAdd, kModify, kDelete } action;
  if (icon != 0) {
    action = record_.icon != 0 ? kModify : kAdd;
    record_.icon = icon;
    record_.flags = kTrayIconFlag;
  } else {
    if (record_.icon == 0) return true;
    action = kDelete;
  }
  if (tooltip) record_.tip = CutTrayTip(*tooltip);
  if (!record_.tip.empty()) record_.flags |= kTrayTipFlag;
  if (record_.callbackMessage != 0 && window() != nullptr) record_.flags |= kTrayMessageFlag;

  const TrayIconRecord& record = currentRecord();
  const bool ok = action == kAdd      ? platform_->add(record)
                  : action == kModify ? platform_->modify(record)
                                      : platform_->remove(record);
  if (action != kDelete && ok) return true;
  // Removed, or the host would not take it: not shown, so the next icon adds.
  record_.icon = 0;
  return ok;
}

bool TrayIcon::SetId(int id) {
  if (id == record_.id) return true;
  if (record_.icon == 0) {
    // Nothing on show to move: the next SetIcon adds under the new id.
    record_.id = id;
    if (trayMenu_) fillTrayMenu();
    return true;
  }
  platform_->remove(currentRecord());
  record_.id = id;
  if (trayMenu_) fillTrayMenu();
  const bool ok = platform_->add(currentRecord());
  if (!ok) record_.icon = 0;
  return ok;
}

int TrayIcon::OnNotify(int id, int mouseMessage) {
  if (!enabled_ || id != record_.id) return 0;
  const bool runsDefault = runsDefaultCommand(mouseMessage);
  if (!runsDefault && mouseMessage != kTrayRightButtonUp) return 0;
  const std::unique_ptr<QMenu> popup = BuildPopupMenu(record_.id);
  QAction* first = FirstItem(*popup);
  if (first == nullptr) return 0;

  if (runsDefault) {
    postCommand(MenuCommandOf(first));
    return 1;
  }
  popup->setDefaultAction(first);
  // A D-Bus tray that asks for the menu instead of showing it passes the
  // position it chose, but the toolkit keeps it: the pointer, which has just
  // clicked the icon, is the nearest to it.
  const QPoint at = QCursor::pos();
  // The popup grabs pointer and keyboard itself: the window is not
  // activated, which would pull the mascot in front of its target.
  if (menuPreparer_) menuPreparer_(*popup);
  postCommand(MenuCommandOf(popup->exec(at)));
  return 1;
}

int TrayIcon::OnTaskbarCreated() {
  if (record_.icon != 0) {
    const int icon = record_.icon;
    record_.icon = 0;
    Update(icon);
  }
  return 0;
}

bool TrayIcon::WindowProc(QEvent* event) {
  if (event->type() == callbackType_ && callbackType_ != QEvent::None) {
    if (const auto* action = dynamic_cast<const TrayCallbackEvent*>(event))
      OnNotify(action->id(), action->mouseMessage());
  } else if (event->type() == TaskbarCreatedEvent::Type()) {
    OnTaskbarCreated();
  }
  return PassOn(event);
}

const TrayIconRecord& TrayIcon::currentRecord() {
  record_.window = window();
  return record_;
}

// The X11 tray reports each press besides the double click, so only the
// double click runs the first command there; a D-Bus tray reports a click as
// its one activation and never a double click.
bool TrayIcon::runsDefaultCommand(int mouseMessage) const {
  if (mouseMessage == kTrayLeftDoubleClick) return true;
  return mouseMessage == kTrayLeftButtonUp && platform_->kind() == TrayKind::kActivations;
}

void TrayIcon::giveTrayTheMenu() {
  trayMenu_ = std::make_unique<QMenu>();
  QMenu* menu = trayMenu_.get();
  QObject::connect(menu, &QMenu::aboutToShow, menu, [this] { prepareTrayMenu(); });
  QObject::connect(menu, &QMenu::triggered, menu, [this](QAction* action) {
    if (enabled_) postCommand(MenuCommandOf(action));
  });
  fillTrayMenu();
  platform_->setMenu(*trayMenu_);
}

// The tray keeps the one menu it was given: its items change with the id.
void TrayIcon::fillTrayMenu() {
  trayMenu_->clear();
  const std::unique_ptr<QMenu> items = BuildPopupMenu(record_.id);
  for (QAction* action : items->actions()) {
    action->setParent(trayMenu_.get());
    trayMenu_->addAction(action);
  }
  trayMenu_->setDefaultAction(FirstItem(*trayMenu_));
}

void TrayIcon::prepareTrayMenu() {
  // While a dialog runs the icon takes no commands, and its menu shows it.
  for (QAction* action : trayMenu_->actions()) action->setEnabled(enabled_);
  if (enabled_ && menuPreparer_) menuPreparer_(*trayMenu_);
}

void TrayIcon::postCommand(int commandId) {
  if (commandId == 0 || !commandHandler_ || window() == nullptr) return;
  QMetaObject::invokeMethod(
      window(), [handler = commandHandler_, commandId] { handler(commandId); }, Qt::QueuedConnection);
}

}  // namespace mascot
