// The editor's file flows: the save step, Save, Save As, Load and Publish.
#include "commands/file_commands.h"
#include "commands/path_dialogs.h"
#include "editing/editor_state.h"
#include "editing/editor_wait.h"
#include "editing/message_flags.h"
#include "errors/error_text.h"
#include "errors/system_error.h"
#include "files/published_mascot.h"
#include "files/work_file.h"
#include "model/sound_clip.h"
#include "storage/paths.h"

namespace mascot {

void EditorState::takeWorkingIntoSource() {
  source_ = *working_;
  // The caller's mascot stays paused until the editor ends.
  source_.setActive(false);
}

bool EditorState::writeWorkFile() {
  MascotDocument& doc = *working_;
  SetLastSystemError(0);
  if (SaveWorkFile(doc.filePath, doc)) {
    doc.setModified(false);
    takeWorkingIntoSource();
    return true;
  }
  // Without an error code there is nothing to tell.
  if (LastSystemError() != 0)
    services_.showMessage(ErrorText(kSavingStage, doc.filePath, 0), std::string(kErrorCaption),
                          MessageFlags::kOk | MessageFlags::kErrorIcon);
  return false;
}

bool EditorState::saveStep(bool prompt) {
  commit();
  MascotDocument& doc = *working_;
  if (!doc.isModified()) return true;
  if (prompt) {
    const int answer = services_.showMessage("Save changes to " + doc.name + "?", std::string(FileCommands::kTitle),
                                             MessageFlags::kYesNo | MessageFlags::kQuestionIcon);
    if (answer != MessageAnswer::kYes) return true;
  }
  if (doc.filePath.empty()) {
    doc.filePath = AskSaveWorkPath(pathDialogs_, StripForbiddenFileNameChars(doc.name));
    if (doc.filePath.empty()) return false;
  }
  return writeWorkFile();
}

void EditorState::save() {
  if (saveStep(false))
    services_.showMessage("Mascot saved.", "Save Results", MessageFlags::kOk | MessageFlags::kInformationIcon);
}

// Save As writes the working copy as it stands; it does not commit the
// dialog first.
void EditorState::saveAs() {
  MascotDocument& doc = *working_;
  const std::string proposed = doc.filePath.empty() ? StripForbiddenFileNameChars(doc.name) : doc.filePath;
  const std::string path = AskSaveWorkPath(pathDialogs_, proposed);
  if (path.empty()) return;
  doc.filePath = path;
  writeWorkFile();
}

void EditorState::load() {
  if (!saveStep(true)) return;
  const std::string path = AskOpenWorkPath(pathDialogs_);
  if (path.empty()) return;

  std::shared_ptr<MascotDocument> loaded;
  bool imagesLoaded = false;
  {
    EditorWait wait(services_);
    services_.setProgressTitle("Loading " + FileNamePart(path));
    loaded = LoadWorkFile(path);
    if (loaded) imagesLoaded = loaded->loadImages();
  }
  if (!loaded) {
    services_.closeProgress();
    return;
  }
  if (!imagesLoaded) {
    services_.closeProgress();
    // The load goes on with blank frames.
    services_.showMessage(std::string(kImageLoadProblemText) + loaded->loadErrors, "Problem Loading images",
                          MessageFlags::kOk | MessageFlags::kErrorIcon);
  }

  preview_.destroy();
  *working_ = *loaded;
  loaded.reset();
  working_->setModified(false);
  takeWorkingIntoSource();
  working_->setActive(true);

  initialise();
  preview_.refresh();
}

void EditorState::publish() {
  MascotDocument& doc = *working_;
  if (!doc.hasFrames()) return;
  const unsigned warning = MessageFlags::kOkCancel | MessageFlags::kWarningIcon;
  if (doc.creatorInfo.empty() &&
      services_.showMessage(std::string(kNoCreatorInfoText), "Warning", warning) == MessageAnswer::kCancel)
    return;
  if (doc.mascotInfo.empty() &&
      services_.showMessage(std::string(kNoMascotInfoText), "Warning", warning) == MessageAnswer::kCancel)
    return;
  if (!saveStep(false)) return;

  const std::string path = AskPublishPath(pathDialogs_, doc.name);
  if (!path.empty()) {
    LoadSound(doc);
    if (PublishMascot(path, doc)) {
      services_.showMessage("Mascot has been published!", "",
                            MessageFlags::kOk | MessageFlags::kInformationIcon | MessageFlags::kForeground);
    } else {
      services_.showMessage("Mascot failed to publish!", "Error",
                            MessageFlags::kOk | MessageFlags::kErrorIcon | MessageFlags::kForeground);
    }
  }
  resetUndo();
}

}  // namespace mascot
