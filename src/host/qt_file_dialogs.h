#pragma once
#include <QPointer>
#include <QString>
#include <QWidget>

#include "commands/path_dialogs.h"

namespace mascot {

// The toolkit's file dialogs for the mascot files.
class QtFileDialogs final : public PathDialogs {
 public:
  explicit QtFileDialogs(QWidget* owner = nullptr) : owner_(owner) {}

  std::string askOpenPath(const PathDialogRequest& request) override;
  std::string askSavePath(const PathDialogRequest& request) override;
  std::vector<std::string> askOpenPaths(const PathDialogRequest& request) override;

 private:
  QPointer<QWidget> owner_;
};

// "Mascot Files (*.mascot)|*.mascot||" -> "Mascot Files (*.mascot)": the
// labels of the label/pattern pairs, one filter per line, each ending in its
// patterns in brackets (added when the label does not show them).
QString QtNameFilters(const std::string& filter);

}  // namespace mascot
