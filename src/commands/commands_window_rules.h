#pragma once
#include <optional>
#include <string>
#include <vector>

// When the desktop has no notification area, the tray icon's menu is out of
// reach, and so is everything else while no mascot is installed: the commands
// window then offers the popup's commands. The rules here decide when it
// shows and what it offers; the desktop layer draws it.
namespace mascot {

// One line of the commands window: a command, or (id 0) a gap between groups.
struct CommandEntry {
  int id = 0;
  std::string text;  // '&' marks the mnemonic
  bool enabled = false;

  bool operator==(const CommandEntry&) const = default;
};

// The shell, as the rules look at it.
class CommandsWindowHost {
 public:
  virtual ~CommandsWindowHost() = default;

  // The desktop has a notification area for the tray icon.
  virtual bool trayAvailable() const = 0;
  // A mascot is installed. Its window may be hidden for a while (its target
  // is the desktop or at the top of the screen, the editor runs), but it
  // comes back by itself, and its right-click menu with it.
  virtual bool mascotInstalled() const = 0;
  // A dialog runs: no command may start until it ends.
  virtual bool isSuspended() const = 0;
  // The current popup's items in order (id 0 for a separator), each enabled
  // by the popup's own rules.
  virtual std::vector<CommandEntry> popupCommands() const = 0;
};

// The window itself, which the desktop layer implements and tests fake.
class CommandsWindowView {
 public:
  virtual ~CommandsWindowView() = default;

  // Shows the window with these commands, or changes those of the shown one.
  virtual void showCommands(const std::vector<CommandEntry>& commands) = 0;
  virtual void hideCommands() = 0;
};

class CommandsWindowRules {
 public:
  CommandsWindowRules(CommandsWindowHost& host, CommandsWindowView& view) : host_(host), view_(view) {}

  // Looks at the shell again and shows, changes or hides the window; the
  // view hears only of changes, so this may run as often as the shell likes.
  void refresh();
  // The program ends: the window goes for good.
  void stop();

  bool isShown() const { return shown_.has_value(); }

  // What the window offers for these popup items: the same commands in the
  // same groups, all disabled while a dialog runs.
  static std::vector<CommandEntry> OfferedCommands(const std::vector<CommandEntry>& popupItems, bool suspended);

 private:
  bool wanted() const;

  CommandsWindowHost& host_;
  CommandsWindowView& view_;
  std::optional<std::vector<CommandEntry>> shown_;  // what the view shows; none while hidden
  bool stopped_ = false;
};

}  // namespace mascot
