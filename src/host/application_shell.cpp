#include "host/application_shell.h"

#include <QCoreApplication>
#include <QSystemTrayIcon>

#include "commands/pylx_import_command.h"
#include "dialogs/about_dialog.h"
#include "dialogs/control_map_hook.h"
#include "dialogs/help_requests.h"
#include "dialogs/load_errors_dialog.h"
#include "dialogs/message_box.h"
#include "dialogs/preferences_dialog.h"
#include "dialogs/program_pictures.h"
#include "dialogs/progress_window.h"
#include "dialogs/splash_window.h"
#include "dialogs/wait_cursor.h"
#include "editor/editor_dialog.h"
#include "host/commands_window.h"
#include "host/context_help.h"
#include "host/help_services.h"
#include "host/help_viewer.h"
#include "host/mascot_tool_tip.h"
#include "host/tray_icon.h"
#include "host/tray_presence_watcher.h"
#include "host/wayland_notice.h"
#include "host/x11_window_state.h"
#include "model/frame_timer.h"
#include "preferences/settings_store.h"

namespace mascot {

namespace {

constexpr char kTitle[] = "Tovra Mascot";
constexpr int kStartSplashMs = 5000;
constexpr int kEditorSplashMs = 2000;

}  // namespace

ApplicationShell::ApplicationShell(Services services)
    : services_(services), commands_(*this, *this, PathDialogsOrNone(services.pathDialogs)) {
  trackTimer_.setTimerType(Qt::PreciseTimer);
  frameTimer_.setTimerType(Qt::PreciseTimer);
  connect(&trackTimer_, &QTimer::timeout, this, &ApplicationShell::onTrackTimer);
  connect(&frameTimer_, &QTimer::timeout, this, &ApplicationShell::onFrameTimer);
  connect(&changeTimer_, &QTimer::timeout, this, &ApplicationShell::onChangeTimer);
  desktop_.setChangeListener([this] {
    if (trackingPace_.desktopChanged() && window_ && !exiting_) trackTimer_.start(kTrackTimerMs);
  });
}

ApplicationShell::~ApplicationShell() {
  desktop_.setChangeListener(nullptr);
  trackTimer_.stop();
  frameTimer_.stop();
  changeTimer_.stop();
  UnregisterHelpServices();
  CloseProgress();
  CloseSplash();
  // The tip and the icon hook the window: they go first.
  tip_.reset();
  trayIcon_.reset();
  // The window's handler and placement point back here.
  placement_.reset();
  if (window_) window_->setHandler(nullptr);
}

void ApplicationShell::giveSessionNotice() {
  GiveWaylandNoticeOnce(source_.kind, source_.compositor && source_.compositor->hasReport(), [] { CloseSplash(); });
}

void ApplicationShell::takeInitialTarget() {
  busy_ = false;
  tracker_.takeInitialTarget();
}

bool ApplicationShell::init(const std::vector<std::string>& arguments) {
  busy_ = true;
  exiting_ = false;
  // The icon is made before the window (a second start never gets here).
  trayIcon_ = std::make_unique<TrayIcon>(kFileMenuId);
  // Commands from the icon arrive after its mouse action, as posted ones.
  trayIcon_->setCommandHandler([this](int id) { runCommand(id); });
  trayIcon_->setMenuPreparer([this](QMenu& popup) { EnableMenuItems(popup, menuFeatures(), menuState()); });
  const QSize size = MascotWindow::SizeFor(document_.get());
  LoadSettings(preferences_);

  window_ = std::make_unique<MascotWindow>(this);
  KeepAboveOffTaskbar(window_.get());
  window_->resize(size);
  window_->setDocument(document_);
  placement_ = std::make_unique<WidgetPlacement>(window_.get());
  // The window is known to X from here on: it is never its own target.
  x11Desktop_.excludeWindow(static_cast<WindowId>(window_->winId()));
  if (!preferences_.suppressSplash) ShowSplash(kStartSplashMs);
  // The start message: timers 1 and 2 start once the event loop runs.
  QMetaObject::invokeMethod(this, &ApplicationShell::startTimers, Qt::QueuedConnection);

  if (document_) document_->applyFrameRegion(&window_->view(), false);
  busy_ = false;
  if (tracker_.target() != kNoWindow) {
    placeMascot();
    tracker_.raiseTarget();
  }

  PublishControlMapForTests();
  contextHelp_ = std::make_unique<ContextHelp>();
  contextHelp_->initialise(kHelpFileName, 1);
  helpViewer_ = std::make_unique<HelpViewer>(window_.get());
  RegisterHelpServices(*helpViewer_, *contextHelp_);

  fileMenu_ = BuildPopupMenu(kFileMenuId);
  publishedMenu_ = BuildPopupMenu(kPublishedMenuId);

  trayIcon_->Attach(window_.get(), TrayIcon::kCallbackMessage);
  trayIcon_->SetIcon(kIconViewer);

  flags_.workMode = false;
  RefreshInstalledMascots(preferences_);
  commands_.startWithArguments(arguments);
  if (document_) setMascotTip(document_->name, document_->creatorInfo);
  ready_ = true;
  // Only now: the first mascot has had its chance to show.
  openCommandsWindow();
  return true;
}

void ApplicationShell::cleanup() {
  UnregisterHelpServices();
  SaveSettingsIfModified(preferences_, kTitle);
  currentPopup_ = nullptr;
  currentPopupId_ = 0;
  fileMenu_.reset();
  publishedMenu_.reset();
}

void ApplicationShell::openRemoteArgument(const std::string& argument) {
  commands_.openRemoteArgument(argument);
}

void ApplicationShell::startTimers() {
  trackTimer_.start(kTrackTimerMs);
  frameTimer_.start(kFirstFrameMs);
}

// -- timers --

void ApplicationShell::onTrackTimer() {
  const bool look = !busy_ && !exiting_ && window_;
  if (look) followTarget();
  if (!trackingPace_.tick(look)) trackTimer_.stop();
}

void ApplicationShell::followTarget() {
  // Nothing changed costs one look at the desktop: no move, no paint.
  if (tracker_.track(*placement_, document_.get(), preferences_.HideIfTargetAtTop != 0)) window_->update();
}

void ApplicationShell::onFrameTimer() {
  if (busy_ || !document_ || !window_) return;
  document_->advance(&window_->view());
  frameTimer_.start(FrameTimerInterval(document_->nextDelay()));
  window_->repaint();
}

void ApplicationShell::onChangeTimer() {
  if (busy_) return;
  commands_.forceNext();
  restartChangeTimer();
}

void ApplicationShell::restartChangeTimer() {
  const std::uint32_t period = preferences_.changePeriod();
  if (!flags_.workMode && period != 0) {
    changeTimer_.start(static_cast<int>(std::min<std::uint32_t>(period, INT32_MAX)));
  } else {
    changeTimer_.stop();
  }
}

// -- the mascot window --

void ApplicationShell::mascotPressed() {
  if (!document_ || !window_) return;
  if (document_->startClick(&window_->view(), services_.soundPlayer)) {
    frameTimer_.start(FrameTimerInterval(document_->nextDelay()));
    window_->repaint();
  }
}

std::optional<int> ApplicationShell::dragTop(int windowHeight) {
  if (!document_ || !window_) return std::nullopt;
  // The target is measured in device pixels, the window in logical ones.
  const DeviceScale scale = DeviceScaleOf(*window_);
  const int bottom = tracker_.targetRect().top + TargetTracker::computeOffset(*document_, 0, 0, scale.ratio).y;
  return LogicalTopStandingOn(bottom, windowHeight, scale);
}

void ApplicationShell::windowMoved() {
  if (busy_ || exiting_ || !placement_) return;
  followTarget();
}

void ApplicationShell::contextMenuRequested(QPoint globalPosition) { showPopup(globalPosition); }

void ApplicationShell::showPopup(QPoint position) {
  if (!ready_ || currentPopup_ == nullptr) return;
  EnableMenuItems(*currentPopup_, menuFeatures(), menuState());
  busy_ = true;
  QAction* chosen = currentPopup_->exec(position);
  busy_ = false;
  bringTargetForward();
  // The command runs after the menu has gone, as a command message would.
  if (const int id = MenuCommandOf(chosen)) {
    QMetaObject::invokeMethod(this, [this, id] { runCommand(id); }, Qt::QueuedConnection);
  }
}

// -- the commands window --

void ApplicationShell::openCommandsWindow() {
  commandsWindow_ = std::make_unique<CommandsWindow>([this](int id) {
    // As from the popup: the command runs once the click is over.
    if (ready_) QMetaObject::invokeMethod(this, [this, id] { runCommand(id); }, Qt::QueuedConnection);
  });
  CommandsWindowHost& host = *this;
  commandsRules_ = std::make_unique<CommandsWindowRules>(host, *commandsWindow_);
  trayAvailable_ = QSystemTrayIcon::isSystemTrayAvailable();
  trayWatcher_ = std::make_unique<TrayPresenceWatcher>([this] {
    trayAvailable_ = QSystemTrayIcon::isSystemTrayAvailable();
    refreshCommandsWindow();
  });
  refreshCommandsWindow();
}

void ApplicationShell::refreshCommandsWindow() {
  if (commandsRules_) commandsRules_->refresh();
}

std::vector<CommandEntry> ApplicationShell::popupCommands() const {
  const MenuFeatures features = menuFeatures();
  const MenuState state = menuState();
  std::vector<CommandEntry> commands;
  for (const MenuItem& item : PopupMenuItems(currentPopupId_)) {
    if (item.id == 0) {
      commands.emplace_back();
    } else {
      commands.push_back({item.id, item.text, IsMenuCommandEnabled(item.id, features, state)});
    }
  }
  return commands;
}

// -- menus and commands --

MenuFeatures ApplicationShell::menuFeatures() const {
  MenuFeatures features;
  features.fileDialogs = services_.pathDialogs != nullptr;
  features.import = services_.pathDialogs != nullptr;
  features.about = true;
  features.help = true;
  features.editor = true;
  features.preferences = true;
  return features;
}

MenuState ApplicationShell::menuState() const {
  MenuState state;
  state.documentInstalled = document_ != nullptr;
  state.documentModified = document_ && document_->isModified();
  state.selectedListEmpty = preferences_.SelectedList.empty();
  return state;
}

void ApplicationShell::runCommand(int id) {
  // Items of parts the program does not have yet are disabled; a command
  // that arrives for one anyway (the tray's default action) does nothing.
  if (!IsMenuCommandEnabled(id, menuFeatures(), menuState())) return;
  switch (id) {
    case kCommandExit: exitProgram(); break;
    case kCommandCreateMascot: commands_.createMascot(); break;
    case kCommandOpenMascot: commands_.openMascotCommand(); break;
    case kCommandSaveMascot: commands_.saveMascot(); break;
    case kCommandSaveMascotAs: commands_.saveMascotAs(); break;
    case kCommandEditMascot:
      ShowSplash(kEditorSplashMs);
      commands_.editMascot();
      break;
    case kCommandOpenPublished: commands_.openPublishedCommand(); break;
    case kCommandForceNext: commands_.forceNext(); break;
    case kCommandPreferences: preferencesCommand_.run(); break;
    case kCommandImportPylx: importPylxMascots(); break;
    case kCommandAbout: about(); break;
    case kCommandHelp: ShowHelp(kHelpFinder, 0); break;
    default: break;
  }
}

void ApplicationShell::about() {
  suspend();
  ShowAbout(document_.get());
  resume();
  bringTargetForward();
}

void ApplicationShell::importPylxMascots() {
  suspend();
  std::vector<std::string> paths;
  ChoosePylxFiles(PathDialogsOrNone(services_.pathDialogs), paths);
  bool imported = false;
  {
    WaitCursor wait;
    imported = ImportChosenPylxMascots(paths, *this);
  }
  // What was imported can take its turn at once.
  if (imported) RefreshInstalledMascots(preferences_);
  resume();
  bringTargetForward();
}

void ApplicationShell::exitProgram() {
  commands_.confirmSaveChanges();  // the answer does not stop the exit
  exiting_ = true;
  if (commandsRules_) commandsRules_->stop();
  if (!window_) return;
  window_->clearShape();
  windowDestroyed();
}

void ApplicationShell::windowDestroyed() {
  trackTimer_.stop();
  frameTimer_.stop();
  changeTimer_.stop();
  ShowHelp(kHelpQuit, 0);
  CloseSplash();
  tip_.reset();
  if (trayIcon_) trayIcon_->Attach(nullptr, 0);
  placement_.reset();
  window_->setHandler(nullptr);
  window_.reset();
  QCoreApplication::exit(0);
}

// -- MascotHost --

void ApplicationShell::setCurrentDocument(std::shared_ptr<MascotDocument> document) {
  document_ = std::move(document);
  if (window_) window_->setDocument(document_);
  refreshCommandsWindow();
}

void ApplicationShell::suspend() {
  if (trayIcon_) trayIcon_->Enable(false);
  ready_ = false;
  refreshCommandsWindow();
}

void ApplicationShell::resume() {
  if (trayIcon_) trayIcon_->Enable(true);
  ready_ = true;
  refreshCommandsWindow();
}

void ApplicationShell::setPopup(int menuId) {
  QMenu* popup = nullptr;
  if (menuId == kFileMenuId) popup = fileMenu_.get();
  if (menuId == kPublishedMenuId) popup = publishedMenu_.get();
  if (!popup) return;
  if (popup != currentPopup_ && trayIcon_) trayIcon_->SetId(menuId);
  currentPopup_ = popup;
  currentPopupId_ = menuId;
  refreshCommandsWindow();
}

void ApplicationShell::refreshTrayIcon() {
  if (!trayIcon_) return;
  trayIcon_->SetIcon(currentPopup_ != nullptr && currentPopup_ == fileMenu_.get() ? kIconEditorTray : kIconViewer);
}

void ApplicationShell::bringTargetForward() {
  if (window_) tracker_.bringTargetForward(static_cast<WindowId>(window_->winId()));
}

void ApplicationShell::placeMascot() {
  if (placement_) tracker_.placeMascot(*placement_, document_.get(), preferences_.HideIfTargetAtTop != 0);
}

void ApplicationShell::setMascotTip(const std::string& name, const std::string& creatorInfo) {
  if (!window_) return;
  if (!tip_) tip_ = std::make_unique<MascotToolTip>();
  tip_->SetMascotTip(window_.get(), name, creatorInfo);
}

void ApplicationShell::hideMascotWindow() {
  if (window_) window_->hide();
}

void ApplicationShell::showMascotWindow() {
  if (window_) window_->show();
}

void ApplicationShell::installDocumentShape() {
  if (!window_) return;
  window_->setDocument(document_);
  window_->installDocumentShape();
}

void ApplicationShell::resizeMascotWindow(FrameSize size) {
  if (window_) window_->resize(size.width, size.height);
}

MascotView* ApplicationShell::mascotView() { return window_ ? &window_->view() : nullptr; }

EditorResult ApplicationShell::runEditor(MascotDocument& document) {
  EditorEnvironment environment;
  environment.pathDialogs = services_.pathDialogs;
  environment.soundPlayer = services_.soundPlayer;
  environment.hideIfTargetAtTop = preferences_.HideIfTargetAtTop != 0;
  return RunEditor(document, environment) ? EditorResult::kConfirmed : EditorResult::kCancelled;
}

// -- CommandDialogs --

int ApplicationShell::showMessage(const std::string& text, const std::string& caption, unsigned flags) {
  return ShowMessageBox(nullptr, MessageText(text), caption, flags);
}

int ApplicationShell::showLoadErrors(const std::string& text, const std::string& path) {
  return ShowLoadErrors(nullptr, text, path);
}

int ApplicationShell::runPreferencesDialog(MascotPreferences& copy) { return RunPreferencesDialog(nullptr, &copy); }

void ApplicationShell::openProgress() { OpenProgress(window_.get()); }
void ApplicationShell::setProgressTitle(const std::string& title) { SetProgressTitle(title); }
void ApplicationShell::setProgressDetail(const std::string& detail) { SetProgressDetail(detail); }
void ApplicationShell::closeProgress() { CloseProgress(); }

}  // namespace mascot
