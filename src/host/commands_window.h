#pragma once
#include <QWidget>

#include <functional>
#include <vector>

#include "commands/commands_window_rules.h"

class QVBoxLayout;

namespace mascot {

// A small ordinary window with the popup's commands as buttons, for a
// desktop where neither a tray icon nor a mascot leads to them; the rules
// in commands/commands_window_rules.h say when it shows. Closing it only
// minimises it: it is then the one way to the commands left.
class CommandsWindow final : public QWidget, public CommandsWindowView {
 public:
  // WM_WINDOW_ROLE, which tells this window from the mascot's of the same title.
  static constexpr char kRole[] = "commands";

  using CommandHandler = std::function<void(int commandId)>;

  explicit CommandsWindow(CommandHandler handler);
  ~CommandsWindow() override;

  // -- CommandsWindowView --
  void showCommands(const std::vector<CommandEntry>& commands) override;
  void hideCommands() override;

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  // Buttons and gaps anew when the commands are others than those shown.
  void build(const std::vector<CommandEntry>& commands);
  bool sameCommands(const std::vector<CommandEntry>& commands) const;

  CommandHandler handler_;
  QVBoxLayout* list_ = nullptr;
  std::vector<CommandEntry> built_;
};

}  // namespace mascot
