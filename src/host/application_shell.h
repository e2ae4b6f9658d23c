#pragma once
#include <QMenu>
#include <QObject>
#include <QTimer>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "commands/commands_window_rules.h"
#include "commands/file_commands.h"
#include "commands/preferences_command.h"
#include "host/popup_menus.h"
#include "host/compositor_source.h"
#include "host/widget_placement.h"
#include "host/x11_desktop_windows.h"
#include "preferences/mascot_preferences.h"
#include "tracking/target_tracker.h"
#include "tracking/tracking_pace.h"
#include "viewer/mascot_window.h"

namespace mascot {

class CommandsWindow;
class ContextHelp;
class HelpViewer;
class MascotToolTip;
class SoundPlayer;
class TrayIcon;
class TrayPresenceWatcher;

// The program around the mascot window: start-up, the three timers (1 tracks
// the target, 2 steps the frames, 3 changes the mascot), the popup menus and
// their commands, and exit.
class ApplicationShell final : public QObject,
                               public MascotWindowHandler,
                               public MascotHost,
                               public CommandDialogs,
                               public PreferencesDialogRunner,
                               private CommandsWindowHost {
 public:
  static constexpr int kTrackTimerMs = TargetTracker::kPollMilliseconds;
  static constexpr int kFirstFrameMs = 1000;

  // The toolkit pieces the shell drives; any may be null (the matching
  // menu items are then disabled, a click stays silent).
  struct Services {
    PathDialogs* pathDialogs = nullptr;
    SoundPlayer* soundPlayer = nullptr;
  };

  explicit ApplicationShell(Services services);
  ~ApplicationShell() override;

  // Says once what a Wayland session keeps from the program, if anything.
  void giveSessionNotice();

  // Before the window exists: the first target.
  void takeInitialTarget();
  // The window, the preferences, the menus and the first mascot; false when
  // the window could not be made.
  bool init(const std::vector<std::string>& arguments);
  // After the event loop: saves modified preferences.
  void cleanup();
  // A second start's argument.
  void openRemoteArgument(const std::string& argument);

  // Menu command by id; unknown ids do nothing.
  void runCommand(int id);
  void exitProgram();

  MascotWindow* window() const { return window_.get(); }
  QMenu* currentPopup() const { return currentPopup_; }
  TrayIcon* trayIcon() const { return trayIcon_.get(); }
  // The way to the commands without a tray and a mascot; null before init.
  CommandsWindow* commandsWindow() const { return commandsWindow_.get(); }
  MascotToolTip* mascotTip() const { return tip_.get(); }
  HelpViewer* helpViewer() const { return helpViewer_.get(); }
  MenuFeatures menuFeatures() const;
  MenuState menuState() const;
  bool isBusy() const { return busy_; }
  bool isReady() const { return ready_; }
  bool isDragging() const { return dragging_; }

  // -- MascotHost --
  std::shared_ptr<MascotDocument> currentDocument() const override { return document_; }
  void setCurrentDocument(std::shared_ptr<MascotDocument> document) override;
  ShellFlags& flags() override { return flags_; }
  MascotPreferences& preferences() override { return preferences_; }
  bool hasMainWindow() const override { return window_ != nullptr; }
  void suspend() override;
  void resume() override;
  void setPopup(int menuId) override;
  void refreshTrayIcon() override;
  void restartChangeTimer() override;
  void bringTargetForward() override;
  void placeMascot() override;
  void setMascotTip(const std::string& name, const std::string& creatorInfo) override;
  void hideMascotWindow() override;
  void showMascotWindow() override;
  void installDocumentShape() override;
  void resizeMascotWindow(FrameSize size) override;
  MascotView* mascotView() override;
  EditorResult runEditor(MascotDocument& document) override;

  // -- CommandDialogs --
  int showMessage(const std::string& text, const std::string& caption, unsigned flags) override;
  void openProgress() override;
  void setProgressTitle(const std::string& title) override;
  void setProgressDetail(const std::string& detail) override;
  void closeProgress() override;
  int showLoadErrors(const std::string& text, const std::string& path) override;

  // -- PreferencesDialogRunner --
  int runPreferencesDialog(MascotPreferences& copy) override;

 private:
  // -- MascotWindowHandler --
  void mascotPressed() override;
  std::optional<int> dragTop(int windowHeight) override;
  void draggingChanged(bool dragging) override { dragging_ = dragging; }
  void windowMoved() override;
  void contextMenuRequested(QPoint globalPosition) override;

  // -- CommandsWindowHost --
  bool trayAvailable() const override { return trayAvailable_; }
  bool mascotInstalled() const override { return document_ != nullptr; }
  bool isSuspended() const override { return !ready_; }
  std::vector<CommandEntry> popupCommands() const override;

  void startTimers();
  void onTrackTimer();
  void onFrameTimer();
  void onChangeTimer();
  // The target changed: put the mascot on it again.
  void followTarget();
  void showPopup(QPoint position);
  void about();
  void importPylxMascots();
  // The commands window, and the watch on the tray that it depends on.
  void openCommandsWindow();
  void refreshCommandsWindow();
  // What the window's destruction does: the timers stop, the help viewer
  // closes and the event loop ends.
  void windowDestroyed();

  Services services_;
  // Made before the window, as the notification area's icon must be.
  std::unique_ptr<TrayIcon> trayIcon_;
  std::unique_ptr<ContextHelp> contextHelp_;
  std::unique_ptr<HelpViewer> helpViewer_;
  std::unique_ptr<MascotToolTip> tip_;
  MascotPreferences preferences_;
  std::shared_ptr<MascotDocument> document_;
  X11DesktopWindows x11Desktop_;
  // On KDE Plasma and GNOME Wayland sessions the compositor reports every
  // window; elsewhere the X server does.
  DesktopWindowSource source_{ConnectDesktopWindowSource(x11Desktop_)};
  DesktopWindows& desktop_{source_.compositor ? static_cast<DesktopWindows&>(*source_.compositor)
                                              : static_cast<DesktopWindows&>(x11Desktop_)};
  TargetTracker tracker_{desktop_};
  TrackingPace trackingPace_{desktop_.notifiesChanges()};
  std::unique_ptr<MascotWindow> window_;
  std::unique_ptr<WidgetPlacement> placement_;
  FileCommands commands_;
  PreferencesCommand preferencesCommand_{*this, commands_, *this};
  std::unique_ptr<QMenu> fileMenu_;
  std::unique_ptr<QMenu> publishedMenu_;
  QMenu* currentPopup_ = nullptr;
  int currentPopupId_ = 0;
  std::unique_ptr<CommandsWindow> commandsWindow_;
  std::unique_ptr<CommandsWindowRules> commandsRules_;
  std::unique_ptr<TrayPresenceWatcher> trayWatcher_;
  bool trayAvailable_ = false;

  ShellFlags flags_;
  bool busy_ = false;
  bool exiting_ = false;
  bool ready_ = false;
  bool dragging_ = false;

  QTimer trackTimer_;   // 1
  QTimer frameTimer_;   // 2
  QTimer changeTimer_;  // 3
};

}  // namespace mascot
