#pragma once
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// The open and save dialogs for mascot files. What the dialogs show (titles,
// filters, proposed names, folders) and what becomes of a choice (the forced
// extension, the remembered folder) is decided here; the toolkit only asks.
namespace mascot {

struct PathDialogRequest {
  std::string title;
  std::string filter;            // "Text (*.x)|*.x||": pairs of label and pattern
  std::string initialFolder;     // empty: the toolkit chooses
  std::string defaultName;       // save dialogs: the proposed file name
  std::string defaultExtension;  // without its full stop, e.g. "mascot"
};

// The toolkit's dialogs. Both give the chosen path, or an empty text when the
// user cancelled (a dialog that fails reports its failure itself).
class PathDialogs {
 public:
  virtual ~PathDialogs() = default;
  // The file must exist.
  virtual std::string askOpenPath(const PathDialogRequest& request) = 0;
  // An existing file is only taken after the user agreed to replace it.
  virtual std::string askSavePath(const PathDialogRequest& request) = 0;
  // One or more existing files; none when the user cancelled. Dialogs that
  // choose one file at a time answer with that one.
  virtual std::vector<std::string> askOpenPaths(const PathDialogRequest& request) {
    std::string path = askOpenPath(request);
    if (path.empty()) return {};
    return {std::move(path)};
  }
};

// The dialogs given, or, for a program without file dialogs, ones that
// count every request as cancelled.
PathDialogs& PathDialogsOrNone(PathDialogs* dialogs);

// Work files: a chosen name always ends in ".wmascot", and its folder is
// where the next work-file dialog starts. The save dialog proposes the
// file-name part of currentPath.
std::string AskSaveWorkPath(PathDialogs& dialogs, std::string_view currentPath);
std::string AskOpenWorkPath(PathDialogs& dialogs);

// Published mascots: a chosen name always ends in ".mascot". Publishing
// starts in the Mascots folder and proposes the mascot's name; opening starts
// where the last published mascot was opened.
std::string AskPublishPath(PathDialogs& dialogs, std::string_view mascotName);
std::string AskOpenPublishedPath(PathDialogs& dialogs);

}  // namespace mascot
