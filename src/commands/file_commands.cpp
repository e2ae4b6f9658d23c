#include "commands/file_commands.h"

#include "errors/error_text.h"
#include "errors/system_error.h"
#include "files/published_mascot.h"
#include "files/work_file.h"
#include "preferences/mascot_preferences.h"
#include "storage/config_syntax.h"
#include "storage/file_info.h"
#include "storage/mascot_library.h"
#include "storage/paths.h"

namespace mascot {
namespace {

// "An unspecified error occurred.": a published file that failed without a
// stored text (a container without a mascot record) still gets a message.
constexpr ErrorCode kErrUnspecified = 0xE0000A29;

bool EqualsNoCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && CompareNoCase(a, b) == 0;
}

std::string LoadingTitle(const std::string& path) { return "Loading " + FileNamePart(path); }

// The name a save dialog proposes for a document without a file.
std::string ProposedWorkPath(const MascotDocument& document) {
  return document.filePath.empty() ? StripForbiddenFileNameChars(document.name) : document.filePath;
}

}  // namespace

void FileCommands::showFileError(std::string_view stage, const std::string& path) {
  dialogs_.showMessage(ErrorText(stage, path, 0), std::string(kErrorCaption), CommandDialogs::kOkOnly);
}

bool FileCommands::saveDocument(MascotDocument& document) {
  SetLastSystemError(0);
  if (SaveWorkFile(document.filePath, document)) {
    document.setModified(false);
    return true;
  }
  return false;
}

bool FileCommands::confirmSaveChanges() {
  const std::shared_ptr<MascotDocument> document = host_.currentDocument();
  if (!document || !document->isModified()) return true;

  const int answer = dialogs_.showMessage("Save changes to " + document->name + "?", std::string(kTitle),
                                          CommandDialogs::kYesNoQuestion);
  if (answer == CommandDialogs::kAnswerNo) {
    document->setModified(false);
    return true;
  }
  // A box that could not be shown answers 0: the changes are kept.
  if (answer != CommandDialogs::kAnswerYes) return false;

  if (document->filePath.empty()) {
    document->filePath = AskSaveWorkPath(pathDialogs_, StripForbiddenFileNameChars(document->name));
    if (document->filePath.empty()) return false;
  }
  if (!saveDocument(*document)) {
    showFileError(kSavingStage, document->filePath);
    return false;
  }
  return true;
}

void FileCommands::installDocument(std::shared_ptr<MascotDocument> document) {
  host_.hideMascotWindow();
  host_.setCurrentDocument(std::move(document));
  host_.installDocumentShape();
  host_.showMascotWindow();
}

bool FileCommands::openWorkFile(const std::string& path) {
  if (path.empty()) return false;
  dialogs_.setProgressDetail("Working...");

  SetLastSystemError(0);
  std::shared_ptr<MascotDocument> document = LoadWorkFile(path);
  if (!document) {
    dialogs_.closeProgress();
    showFileError(kOpeningStage, path);
    return false;
  }
  if (!document->loadImages()) {
    dialogs_.closeProgress();
    const int answer = dialogs_.showLoadErrors(std::string(kImageLoadProblemText) + document->loadErrors, path);
    if (answer == CommandDialogs::kAnswerCancel) return false;
  }

  host_.flags().workMode = true;
  host_.setPopup(kFileMenuId);
  installDocument(document);
  host_.setMascotTip(document->name, document->creatorInfo);
  return true;
}

bool FileCommands::openPublished(const std::string& path) {
  const std::shared_ptr<MascotDocument> installed = host_.currentDocument();
  if (installed && EqualsNoCase(installed->filePath, path)) return false;

  SetLastErrorText({});
  std::shared_ptr<MascotDocument> document = OpenPublishedMascot(path);
  if (!document) {
    std::string text = GetLastErrorText();
    if (text.empty()) text = ErrorText(kOpeningStage, path, kErrUnspecified);
    dialogs_.showMessage(text, std::string(kErrorCaption), CommandDialogs::kOkOnly | CommandDialogs::kStopIcon);
    // Counts as a change only when nothing was shown before, so that a
    // failed first choice still leaves the rotation running.
    return !installed;
  }

  installDocument(document);
  host_.placeMascot();
  host_.setMascotTip(document->name, document->creatorInfo);
  return true;
}

bool FileCommands::forceNext() {
  const ShellFlags& flags = host_.flags();
  if (flags.workMode || flags.editorOpen) return false;

  const std::string name = host_.preferences().nextMascotName();
  if (name.empty()) return false;

  if (!openPublished(InstalledMascotPath(name))) return false;
  host_.setPopup(kPublishedMenuId);
  return true;
}

bool FileCommands::openFileByKind(const std::string& path) {
  if (!host_.hasMainWindow() || path.empty()) return false;
  const std::string fullPath = FullPath(path);
  const int kind = IdentifyMascotFile(fullPath);
  if (kind == kUnknownFile) return false;

  host_.suspend();
  bool opened = false;
  bool workFileOpened = false;
  if (confirmSaveChanges()) {
    if (kind == kPublishedMascotFile) {
      opened = openPublished(fullPath);
      if (opened) {
        host_.restartChangeTimer();
        host_.flags().workMode = false;
        host_.setPopup(kPublishedMenuId);
      }
    } else {
      dialogs_.openProgress();
      dialogs_.setProgressTitle(LoadingTitle(fullPath));
      opened = workFileOpened = openWorkFile(fullPath);
    }
  }
  host_.bringTargetForward();
  host_.placeMascot();
  host_.resume();
  host_.refreshTrayIcon();

  if (workFileOpened) {
    editMascot();
  } else {
    dialogs_.closeProgress();
  }
  return opened;
}

void FileCommands::createMascot() {
  host_.suspend();
  if (!confirmSaveChanges()) {
    host_.resume();
    return;
  }
  if (const auto installed = host_.currentDocument()) installed->setActive(false);

  auto document = std::make_shared<MascotDocument>();
  host_.flags().editorOpen = true;
  const EditorResult result = host_.runEditor(*document);
  host_.flags().editorOpen = false;

  if (result == EditorResult::kConfirmed) {
    if (document->loadImages()) {
      host_.flags().workMode = true;
      host_.setPopup(kFileMenuId);
      host_.setCurrentDocument(document);
      host_.installDocumentShape();
    } else {
      dialogs_.showLoadErrors(std::string(kImageLoadProblemText) + document->loadErrors, document->filePath);
    }
  }

  if (const auto installed = host_.currentDocument()) installed->setActive(true);
  host_.placeMascot();
  host_.resume();
  host_.refreshTrayIcon();
  host_.bringTargetForward();
}

void FileCommands::openMascotCommand() {
  host_.suspend();
  if (!confirmSaveChanges()) {
    host_.bringTargetForward();
    host_.resume();
    return;
  }
  const std::string path = AskOpenWorkPath(pathDialogs_);
  if (!path.empty()) {
    dialogs_.openProgress();
    dialogs_.setProgressTitle(LoadingTitle(path));
  }
  const bool opened = openWorkFile(path);

  host_.bringTargetForward();
  host_.placeMascot();
  host_.resume();
  host_.refreshTrayIcon();

  if (opened) {
    editMascot();
  } else {
    dialogs_.closeProgress();
  }
}

void FileCommands::saveMascot() {
  const std::shared_ptr<MascotDocument> document = host_.currentDocument();
  if (!document) return;
  if (document->filePath.empty()) {
    document->filePath = AskSaveWorkPath(pathDialogs_, StripForbiddenFileNameChars(document->name));
  }
  if (!document->filePath.empty()) {
    host_.suspend();
    // Without an error code there is nothing to tell; the document stays modified.
    if (!saveDocument(*document) && LastSystemError() != 0) showFileError(kSavingStage, document->filePath);
    host_.resume();
  }
  host_.placeMascot();
  host_.bringTargetForward();
}

void FileCommands::saveMascotAs() {
  const std::shared_ptr<MascotDocument> document = host_.currentDocument();
  if (!document) return;
  const std::string path = AskSaveWorkPath(pathDialogs_, ProposedWorkPath(*document));
  if (!path.empty()) {
    host_.suspend();
    document->filePath = path;
    if (!saveDocument(*document) && LastSystemError() != 0) showFileError(kSavingStage, document->filePath);
    host_.resume();
  }
  host_.placeMascot();
  host_.bringTargetForward();
}

void FileCommands::editMascot() {
  const std::shared_ptr<MascotDocument> current = host_.currentDocument();
  if (!current) {
    createMascot();
    return;
  }
  host_.suspend();
  current->setActive(false);
  host_.hideMascotWindow();
  dialogs_.openProgress();
  dialogs_.setProgressDetail("Processing...");
  host_.flags().editorOpen = true;

  // The copy shares pictures, regions and sound bytes with the current one.
  auto copy = std::make_shared<MascotDocument>(*current);
  const EditorResult result = host_.runEditor(*copy);
  host_.flags().editorOpen = false;
  // The editor closes the progress window; one that never ran cannot.
  if (result == EditorResult::kUnavailable) dialogs_.closeProgress();

  if (result == EditorResult::kConfirmed) {
    if (copy->loadImages()) {
      *current = *copy;
      current->applyFrameRegion(host_.mascotView(), false);
      host_.resizeMascotWindow(current->maxFrameSize());
      host_.setMascotTip(current->name, current->creatorInfo);
    } else {
      dialogs_.showLoadErrors(std::string(kImageLoadProblemText) + copy->loadErrors, current->filePath);
    }
  }

  current->setActive(true);
  host_.showMascotWindow();
  host_.placeMascot();
  host_.resume();
  host_.bringTargetForward();
}

void FileCommands::openPublishedCommand() {
  host_.suspend();
  if (!confirmSaveChanges()) {
    host_.bringTargetForward();
    host_.resume();
    return;
  }
  const std::string path = AskOpenPublishedPath(pathDialogs_);
  if (!path.empty()) {
    dialogs_.openProgress();
    dialogs_.setProgressTitle(LoadingTitle(path));
    dialogs_.setProgressDetail("Working...");
    openPublished(path);
    host_.restartChangeTimer();
    host_.flags().workMode = false;
    host_.setPopup(kPublishedMenuId);
  }
  dialogs_.closeProgress();
  host_.resume();
  host_.refreshTrayIcon();
  host_.bringTargetForward();
}

void FileCommands::startWithArguments(const std::vector<std::string>& arguments) {
  if (arguments.size() == 1 && EqualsNoCase(arguments[0], "-e")) {
    createMascot();
    // Nothing made: editing mode, so that the context menu offers the file commands.
    if (!host_.currentDocument()) {
      host_.setPopup(kFileMenuId);
      host_.flags().workMode = true;
      host_.refreshTrayIcon();
    }
    return;
  }
  if (!arguments.empty() && openFileByKind(arguments[0])) return;

  if (host_.preferences().installed.empty()) {
    host_.setPopup(kFileMenuId);
    host_.flags().workMode = true;
  } else {
    host_.restartChangeTimer();
    if (!forceNext()) {
      host_.setPopup(kFileMenuId);
      host_.flags().workMode = true;
    }
  }
  host_.refreshTrayIcon();
}

void FileCommands::openRemoteArgument(const std::string& argument) {
  if (argument.empty()) return;
  if (EqualsNoCase(argument, "-E")) {
    createMascot();
  } else {
    openFileByKind(argument);
  }
}

}  // namespace mascot
