#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "commands/commands_window_rules.h"

namespace mascot {
namespace {

using Entries = std::vector<CommandEntry>;

// The shell's state as the test sets it, and every call the window got.
class FakeCommandsShell : public CommandsWindowHost, public CommandsWindowView {
 public:
  bool tray = false, mascot = false, suspended = false;
  Entries popup{{104, "About This Mascot", true}, {0, ""}, {105, "E&xit", true}};
  std::vector<std::string> calls;
  Entries shown;

  bool trayAvailable() const override { return tray; }
  bool mascotInstalled() const override { return mascot; }
  bool isSuspended() const override { return suspended; }
  Entries popupCommands() const override { return popup; }
  void showCommands(const Entries& commands) override { calls.push_back("show"), shown = commands; }
  void hideCommands() override { calls.push_back("hide"); }
};

TEST(CommandsWindowRules, ShowsOnlyWhileNeitherTrayNorMascotLeadsToTheCommands) {
  const struct { const char* name; bool tray, mascot, shown; } cases[] = {
      {"no tray, no mascot", false, false, true},
      {"tray, no mascot", true, false, false},
      {"mascot installed, no tray", false, true, false},
      {"both", true, true, false},
  };
  for (const auto& c : cases) {
    FakeCommandsShell shell;
    CommandsWindowRules rules(shell, shell);
    shell.tray = c.tray, shell.mascot = c.mascot;
    rules.refresh();
    EXPECT_EQ(rules.isShown(), c.shown) << c.name;
    EXPECT_EQ(shell.calls, c.shown ? std::vector<std::string>{"show"} : std::vector<std::string>{}) << c.name;
  }
}

TEST(CommandsWindowRules, TheWindowHearsOnlyOfChanges) {
  FakeCommandsShell shell;
  CommandsWindowRules rules(shell, shell);
  rules.refresh();
  rules.refresh();
  shell.suspended = true;  // a dialog opens: the same window, its commands disabled
  rules.refresh();
  EXPECT_FALSE(shell.shown[0].enabled);
  shell.suspended = false;
  shell.mascot = true;  // the editor made a mascot: it has its own menu
  rules.refresh();
  rules.refresh();
  shell.mascot = false, shell.tray = true;
  rules.refresh();
  shell.tray = false;  // the tray host went away
  rules.refresh();
  EXPECT_EQ(shell.calls, (std::vector<std::string>{"show", "show", "hide", "show"}));
  EXPECT_TRUE(shell.shown[0].enabled);
}

TEST(CommandsWindowRules, AfterStopTheWindowStaysAway) {
  FakeCommandsShell shell;
  CommandsWindowRules rules(shell, shell);
  rules.refresh();
  rules.stop();
  rules.refresh();
  EXPECT_FALSE(rules.isShown());
  EXPECT_EQ(shell.calls, (std::vector<std::string>{"show", "hide"}));
}

TEST(CommandsWindowRules, OffersThePopupsCommandsInTheirGroups) {
  const Entries popup{{0, ""},
                      {32776, "Edit Mascot...", true},
                      {0, ""},
                      {0, ""},
                      {32774, "Save Mascot", false},
                      {105, "E&xit", true},
                      {0, ""}};
  EXPECT_EQ(CommandsWindowRules::OfferedCommands(popup, false),
            (Entries{{32776, "Edit Mascot...", true}, {0, ""}, {32774, "Save Mascot", false}, {105, "E&xit", true}}));
  for (const CommandEntry& entry : CommandsWindowRules::OfferedCommands(popup, true))
    EXPECT_FALSE(entry.enabled) << entry.text << " while a dialog runs";
  EXPECT_TRUE(CommandsWindowRules::OfferedCommands({{0, ""}}, false).empty());
}

}  // namespace
}  // namespace mascot
