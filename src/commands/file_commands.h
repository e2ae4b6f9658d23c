#pragma once
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "commands/path_dialogs.h"
#include "model/mascot_document.h"

// The commands of the main window that load, save, create and edit mascots,
// and the operations they share. Each flow keeps a fixed order of steps; the
// window, the shell's state and the dialogs are reached through the two
// interfaces below, which the desktop layer implements and tests fake.
namespace mascot {

class MascotPreferences;
class MascotView;

// The two popup menus; the menu shown tells the mode.
inline constexpr int kFileMenuId = 129;       // editing: a work in progress, or nothing to show
inline constexpr int kPublishedMenuId = 139;  // viewing: a published mascot

inline constexpr std::string_view kErrorCaption = "Error";
inline constexpr std::string_view kOpeningStage = "Opening";
inline constexpr std::string_view kSavingStage = "Saving";
inline constexpr std::string_view kImageLoadProblemText =
    "There was a problem loading one or more images.  The corresponding frames are now blank:\r\n\r\n";

// The message box, the progress window and the Load Errors dialog. Every box
// is owned by the desktop window.
class CommandDialogs {
 public:
  // Flags and answers carry the message box's own values.
  static constexpr unsigned kOkOnly = 0x0;
  static constexpr unsigned kStopIcon = 0x10;
  static constexpr unsigned kYesNoQuestion = 0x24;  // Yes and No buttons, question icon
  static constexpr int kAnswerOk = 1;
  static constexpr int kAnswerCancel = 2;
  static constexpr int kAnswerYes = 6;
  static constexpr int kAnswerNo = 7;

  virtual ~CommandDialogs() = default;

  // The program's message box; the code of the button that closed it.
  virtual int showMessage(const std::string& text, const std::string& caption,
                          unsigned flags) = 0;

  // The progress window: opening it when one is open, or changing or closing
  // it when none is, does nothing.
  virtual void openProgress() = 0;
  virtual void setProgressTitle(const std::string& title) = 0;
  virtual void setProgressDetail(const std::string& detail) = 0;
  virtual void closeProgress() = 0;

  // The Load Errors dialog with the file's path; the code of the button that
  // closed it (kAnswerCancel drops the document).
  virtual int showLoadErrors(const std::string& text, const std::string& path) = 0;
};

// How the editor dialog ended. Until the editor is part of the program it
// cannot run, and every flow treats that as a cancelled edit.
enum class EditorResult { kConfirmed, kCancelled, kUnavailable };

// Flags of the shell that the flows read and set.
struct ShellFlags {
  bool workMode = false;    // editing mode: automatic changes are off
  bool editorOpen = false;  // the editor dialog is running
};

// The shell and its mascot window, as the flows use them.
class MascotHost {
 public:
  virtual ~MascotHost() = default;

  // -- state --
  virtual std::shared_ptr<MascotDocument> currentDocument() const = 0;
  // Releases the document installed before.
  virtual void setCurrentDocument(std::shared_ptr<MascotDocument> document) = 0;
  virtual ShellFlags& flags() = 0;
  virtual MascotPreferences& preferences() = 0;
  virtual bool hasMainWindow() const = 0;

  // -- shell operations --
  // Around every dialog: the tray icon is disabled and the context menu
  // refused until resume.
  virtual void suspend() = 0;
  virtual void resume() = 0;
  virtual void setPopup(int menuId) = 0;  // kFileMenuId or kPublishedMenuId
  virtual void refreshTrayIcon() = 0;
  virtual void restartChangeTimer() = 0;
  // Raises the target window found with the mascot window excluded.
  virtual void bringTargetForward() = 0;
  // Places the mascot on the target window.
  virtual void placeMascot() = 0;
  virtual void setMascotTip(const std::string& name, const std::string& creatorInfo) = 0;

  // -- mascot window --
  virtual void hideMascotWindow() = 0;
  // Shows the window without activating it.
  virtual void showMascotWindow() = 0;
  // Gives the window the current document's largest frame size and the
  // shape of its current frame.
  virtual void installDocumentShape() = 0;
  // Resizes the window without moving, restacking or activating it.
  virtual void resizeMascotWindow(FrameSize size) = 0;
  virtual MascotView* mascotView() = 0;

  // -- editor --
  // Runs the editor dialog on the document (modal).
  virtual EditorResult runEditor(MascotDocument& document) = 0;
};

class FileCommands {
 public:
  // The caption of the save-changes question.
  static constexpr std::string_view kTitle = "Tovra Mascot";

  FileCommands(MascotHost& host, CommandDialogs& dialogs, PathDialogs& pathDialogs)
      : host_(host), dialogs_(dialogs), pathDialogs_(pathDialogs) {}

  // Whether the caller may replace or leave the current document: asks to
  // save a modified one and saves it when the user says Yes.
  bool confirmSaveChanges();
  void installDocument(std::shared_ptr<MascotDocument> document);
  // The work file at path (editing mode); false when it was not opened.
  bool openWorkFile(const std::string& path);
  // The published mascot at path; false when nothing changed.
  bool openPublished(const std::string& path);
  // The automatic change to the next mascot of the rotation.
  bool forceNext();
  // A file from the command line or a second start: a published mascot is
  // shown, a work file opened in the editor, anything else ignored.
  bool openFileByKind(const std::string& path);

  // Menu commands.
  void createMascot();          // 32772
  void openMascotCommand();     // 32773
  void saveMascot();            // 32774
  void saveMascotAs();          // 32775
  void editMascot();            // 32776, after the splash
  void openPublishedCommand();  // 32777

  // The first mascot at start (after the installed list is filled): "-e"
  // alone creates a mascot, an argument is opened by kind, and otherwise the
  // rotation chooses; editing mode when nothing could be shown.
  void startWithArguments(const std::vector<std::string>& arguments);
  // The argument of a second start: "-e" (any case) creates a mascot,
  // anything else is opened by kind; an empty one is ignored.
  void openRemoteArgument(const std::string& argument);

  // The program's message box for a failed file operation, with the last
  // system error.
  void showFileError(std::string_view stage, const std::string& path);

 private:
  bool saveDocument(MascotDocument& document);

  MascotHost& host_;
  CommandDialogs& dialogs_;
  PathDialogs& pathDialogs_;
};

}  // namespace mascot
