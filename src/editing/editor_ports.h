#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "model/mascot_document.h"

// What the editor's rules need of the editor dialog, its frame list, its
// preview and the program's dialogs. The desktop layer implements these;
// tests fake them.
namespace mascot {

// Text fields of the editor dialog, by their control numbers.
enum class EditorField {
  kName = 1000,
  kXOffset = 1001,
  kYOffset = 1002,
  kClickFirst = 1099,
  kClickLast = 1100,
  kSoundPath = 1022,
};

enum class EditorCheck {
  kClickActive = 1005,
  kXIsPercent = 1068,
  kRelativeToRightEdge = 1077,
};

// The up-down controls; each sets the number of the edit it belongs to.
enum class EditorSpin {
  kXOffset = 1003,
  kYOffset = 1004,
  kClickFirst = 1101,
  kClickLast = 1102,
};

// Controls the rules enable and disable.
enum class EditorControl {
  kRemoveFrame = 1021,
  kUndo = 1072,
  kStop = 1083,
  kStart = 1084,
  kStep = 1085,
  kPublish = 1045,
  kSave = 1046,
  // The ten click options: both frame edits and spins, their labels, the
  // sound field, its browse and Test buttons.
  kClickOptions = 1051,
};

// The dialog's controls as the rules read and set them.
class EditorDialogView {
 public:
  virtual ~EditorDialogView() = default;

  virtual std::string fieldText(EditorField field) = 0;
  virtual void setFieldText(EditorField field, const std::string& text) = 0;
  virtual void setNameLimit(int characters) = 0;

  virtual bool isChecked(EditorCheck check) = 0;
  virtual void setChecked(EditorCheck check, bool checked) = 0;

  // The spin's position; none when it cannot be read.
  virtual std::optional<int> spinPosition(EditorSpin spin) = 0;
  // Sets the position and the edit's number; for the click spins, 0 (none)
  // shows an empty edit.
  virtual void setSpinPosition(EditorSpin spin, int position) = 0;
  virtual void setSpinRange(EditorSpin spin, int lowest, int highest) = 0;

  virtual void enable(EditorControl control, bool enabled) = 0;
  virtual void setUndoLabel(const std::string& label) = 0;
  virtual void setSoundInfo(const std::string& text) = 0;
  virtual void focusField(EditorField field) = 0;

  // The dialog's own width in pixels (for the percent conversion).
  virtual int dialogWidth() = 0;
  // To the top of the z-order, without moving, resizing or activating.
  virtual void bringToTop() = 0;
};

// The frame list control (its messages).
class FrameListControl {
 public:
  virtual ~FrameListControl() = default;
  // The index of the new frame, or -1 when no row could be made.
  virtual std::int32_t addFrame() = 0;
  // The index of the removed frame, or -1 when none was selected.
  virtual std::int32_t removeFrame() = 0;
  virtual void setFrames(const std::vector<FrameRecord>& frames) = 0;
  virtual void getFrames(std::vector<FrameRecord>& frames) = 0;
  virtual std::int32_t count() = 0;
  virtual std::int32_t selection() = 0;
  virtual void showCurrent(std::int32_t frame) = 0;
  virtual void showClicked(std::int32_t frame) = 0;
  // First and last frame as indices, -1 for none.
  virtual void setClickRange(std::int32_t first, std::int32_t last) = 0;
  virtual void undo() = 0;
  virtual void resetUndo() = 0;
};

// The preview window as the editor drives it.
class PreviewControl {
 public:
  virtual ~PreviewControl() = default;
  // Makes the window on the document with the editor dialog as its target.
  virtual bool create(MascotDocument& document) = 0;
  virtual void destroy() = 0;
  virtual void refresh() = 0;
  virtual void showFrame(std::int32_t frame) = 0;
  virtual void stop() = 0;
  virtual void start() = 0;
  virtual void step() = 0;
  virtual bool isStopped() = 0;
  virtual void hide() = 0;
  virtual void show() = 0;
  // The window's width in pixels; 0 when there is no window.
  virtual int width() = 0;
};

// The program's dialogs and services that the editor's flows use.
class EditorServices {
 public:
  virtual ~EditorServices() = default;

  // The program's message box (flags and answers of editing/message_flags.h).
  virtual int showMessage(const std::string& text, const std::string& caption, unsigned flags) = 0;

  // The progress window; each does nothing when none is open.
  virtual void setProgressTitle(const std::string& title) = 0;
  virtual void setProgressDetail(const std::string& detail) = 0;
  virtual void closeProgress() = 0;

  // The wait cursor, nesting.
  virtual void beginWait() = 0;
  virtual void endWait() = 0;

  // "Open Wave File": the chosen file, or empty when cancelled.
  virtual std::string askSoundPath(const std::string& currentPath) = 0;
  // Creator Information; true for OK (the fields then hold the edits).
  virtual bool editCreatorInfo(CreatorFields& fields) = 0;
  // The help file at the editor's page.
  virtual void showEditorHelp() = 0;

  // Synchronous playing for Test.
  virtual void playSoundSync(const SoundBytes& sound) = 0;
  virtual void playSoundFileSync(const std::string& path) = 0;
};

}  // namespace mascot
