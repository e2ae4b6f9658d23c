#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "editing/editor_ports.h"
#include "editing/undo_state.h"
#include "model/mascot_document.h"

// The rules of the editor dialog: it works on a private copy of a mascot
// (the working document) and hands it back to the caller's document (the
// source) at OK, and at every save or load that succeeds inside the editor.
// The dialog reports its events here; everything it shows is set through
// EditorDialogView, the frame list, the preview and the services.
namespace mascot {

class PathDialogs;
class SoundPlayer;

// Strings 151 and 152: publishing without the creator's texts.
inline constexpr std::string_view kNoCreatorInfoText =
    "The Creator Info is not specified so no one will know who created this mascot.\r\n\r\nContinue Publishing?";
inline constexpr std::string_view kNoMascotInfoText =
    "The Mascot Info is not specified so no one will know what inspired this mascot.\r\n\r\nContinue Publishing?";

class EditorState {
 public:
  static constexpr int kNameLimit = 32;
  static constexpr int kOffsetLimit = 32767;

  EditorState(MascotDocument& source, EditorDialogView& view, FrameListControl& frameList,
              PreviewControl& preview, EditorServices& services, PathDialogs& pathDialogs);
  ~EditorState();
  EditorState(const EditorState&) = delete;
  EditorState& operator=(const EditorState&) = delete;

  // The working copy, active while the editor runs.
  MascotDocument& working() { return *working_; }
  const UndoState& undoState() const { return undo_; }
  bool isFilling() const { return filling_; }

  // -- the dialog's life --
  // When the dialog is created: fills it, attaches the frames, makes the
  // preview.
  void initialise();
  // OK: commits and copies the working copy into the source. The dialog
  // then ends with OK.
  void confirm();
  // The dialog goes away (after OK or Cancel): late notifications are
  // ignored and the preview is destroyed.
  void tearDown();

  // -- commands --
  void clickActiveToggled();           // 1005
  void browseSound();                  // 1019
  void addFrame();                     // 1020
  void removeFrame();                  // 1021
  void undoRedo();                     // 1072
  void testSound();                    // 1023
  void publish();                      // 1045
  void save();                         // 1046
  void editCreatorInfo();              // 1047
  void saveAs();                       // 1048
  void load();                         // 1049
  void percentToggled();               // 1068
  void relativeToggled();              // 1077
  void stopPreview();                  // 1083
  void startPreview();                 // 1084
  void stepPreview();                  // 1085
  void surfaceClicked();               // a click on the dialog outside its controls
  void showHelp();                     // 1069

  // -- field notifications --
  // A change of an offset's text (ignored while filling) or its focus loss.
  void offsetEdited();
  // An up-down of an offset: its new position.
  void xSpinMoved(int position);
  void ySpinMoved(int position);
  // Up-down of a click spin, already at its new position.
  void clickFirstSpinMoved();
  void clickLastSpinMoved();
  // Focus loss of a click frame edit.
  void clickFirstEditDone();
  void clickLastEditDone();
  // Focus loss of the sound path field.
  void soundPathEditDone();

  // -- from the frame list and the preview --
  void frameChanged(std::int32_t index, const FrameRecord* record);
  void selectionChanged(std::int32_t index);
  // The working document's current frame, -1 without one.
  std::int32_t currentFrame() const;
  void previewShowedFrame(std::int32_t frame);
  // -1: the working document's current frame.
  void previewClicked(std::int32_t frame);

  // -- shared steps --
  // The dialog's fields into the working document, `modified` as the
  // comparisons say.
  void commit();
  // Save step; true when it succeeded (also when nothing was written).
  bool saveStep(bool prompt);
  // The click settings, the offsets into the working document.
  void readClickSettings();
  void readOffsets();
  // Click spins after an addition (added) or removal at index, or without
  // an index (-1) after attaching or undo.
  void adjustClickRange(std::int32_t index, bool added);
  void sendClickRange();
  void refreshSoundInfo();
  void clearSoundInfo();

 private:
  void fillFields();
  void updateFrameButtons();
  void updatePreviewButtons();
  void updateUndoButton();
  void recordUndo(bool isAddition, std::vector<FrameRecord> snapshot);
  void resetUndo();
  // Add Frame or Remove Frame, with its undo step.
  void changeFrames(bool add);
  void writeRowsAndReload();
  bool writeWorkFile();
  void takeWorkingIntoSource();
  void clickEditDone(EditorSpin spin, EditorField field);
  // A click spin's position, 0 (none) when it cannot be read; and the frame
  // index it stands for, -1 for none.
  int clickSpin(EditorSpin spin);
  std::int32_t clickSpinFrame(EditorSpin spin) { return clickSpin(spin) - 1; }
  // The range never ends before it starts.
  void raiseLastToFirst();
  void takeClickRange();
  // The editor state's sound path into the working document; a new path
  // lets go of the old path's bytes.
  void takeSoundPath();

  MascotDocument& source_;
  std::unique_ptr<MascotDocument> working_;
  EditorDialogView& view_;
  FrameListControl& frameList_;
  PreviewControl& preview_;
  EditorServices& services_;
  PathDialogs& pathDialogs_;
  std::string soundPath_;
  UndoState undo_;
  // The click spins' upper limit (the frame count at the last adjustment).
  std::int32_t clickSpinLimit_ = 0;
  bool filling_ = false;
};

}  // namespace mascot
