#include "commands/commands_window_rules.h"

namespace mascot {

std::vector<CommandEntry> CommandsWindowRules::OfferedCommands(const std::vector<CommandEntry>& popupItems,
                                                               bool suspended) {
  std::vector<CommandEntry> offered;
  for (const CommandEntry& item : popupItems) {
    if (item.id == 0) {
      // A gap only between two commands: never first, last or doubled.
      if (!offered.empty() && offered.back().id != 0) offered.push_back({});
      continue;
    }
    offered.push_back({item.id, item.text, item.enabled && !suspended});
  }
  if (!offered.empty() && offered.back().id == 0) offered.pop_back();
  return offered;
}

bool CommandsWindowRules::wanted() const {
  // Only the installed mascot counts, not whether its window shows this
  // moment: a window that came and went with every hidden target would be
  // worse than none.
  return !stopped_ && !host_.trayAvailable() && !host_.mascotInstalled();
}

void CommandsWindowRules::refresh() {
  if (!wanted()) {
    if (shown_) {
      shown_.reset();
      view_.hideCommands();
    }
    return;
  }
  std::vector<CommandEntry> offered = OfferedCommands(host_.popupCommands(), host_.isSuspended());
  if (shown_ == offered) return;
  shown_ = std::move(offered);
  view_.showCommands(*shown_);
}

void CommandsWindowRules::stop() {
  stopped_ = true;
  refresh();
}

}  // namespace mascot
