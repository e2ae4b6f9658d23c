#include "editing/editor_state.h"

#include <algorithm>

#include "editing/editor_wait.h"

namespace mascot {
namespace {

// The name field holds at most this many characters when it is read back.
constexpr std::size_t kNameReadLimit = 255;

bool FrameFieldsDiffer(const FrameRecord& a, const FrameRecord& b) {
  return a.fileName != b.fileName || a.minFrameDelay != b.minFrameDelay || a.maxFrameDelay != b.maxFrameDelay ||
         a.jumpFrame != b.jumpFrame || a.minLoopCount != b.minLoopCount || a.maxLoopCount != b.maxLoopCount;
}

}  // namespace

EditorState::EditorState(MascotDocument& source, EditorDialogView& view, FrameListControl& frameList,
                         PreviewControl& preview, EditorServices& services, PathDialogs& pathDialogs)
    : source_(source),
      working_(std::make_unique<MascotDocument>(source)),
      view_(view),
      frameList_(frameList),
      preview_(preview),
      services_(services),
      pathDialogs_(pathDialogs) {
  // The preview animates the working copy while the caller's stays paused.
  working_->setActive(true);
}

EditorState::~EditorState() = default;

// -- the dialog's life --

void EditorState::initialise() {
  services_.setProgressDetail("Processing...");
  soundPath_ = working_->soundPath;

  // Filling covers the spin ranges too: a range that clamps a value must
  // not read half-filled offsets back.
  filling_ = true;
  fillFields();
  refreshSoundInfo();

  frameList_.setFrames(working_->frames);
  adjustClickRange(-1, false);
  view_.setSpinPosition(EditorSpin::kClickFirst, working_->clickStartIndex + 1);
  view_.setSpinPosition(EditorSpin::kClickLast, working_->clickEndIndex + 1);
  view_.enable(EditorControl::kRemoveFrame, frameList_.selection() != -1);

  view_.setNameLimit(kNameLimit);
  view_.setChecked(EditorCheck::kXIsPercent, working_->offsetIsPercent != 0);
  view_.setChecked(EditorCheck::kRelativeToRightEdge, working_->offsetRelativeToRightEdge != 0);
  if (working_->offsetIsPercent) {
    view_.setSpinRange(EditorSpin::kXOffset, 0, 100);
  } else {
    view_.setSpinRange(EditorSpin::kXOffset, -kOffsetLimit, kOffsetLimit);
  }
  view_.setSpinRange(EditorSpin::kYOffset, -kOffsetLimit, kOffsetLimit);
  filling_ = false;

  view_.bringToTop();
  preview_.create(*working_);

  view_.enable(EditorControl::kClickOptions, view_.isChecked(EditorCheck::kClickActive));
  updateFrameButtons();
  resetUndo();
  updatePreviewButtons();
  sendClickRange();

  services_.closeProgress();
  refreshSoundInfo();
}

void EditorState::fillFields() {
  view_.setFieldText(EditorField::kName, working_->name);
  view_.setChecked(EditorCheck::kClickActive, working_->clickSequenceDefined != 0);
  view_.setFieldText(EditorField::kXOffset, std::to_string(working_->xOffset));
  view_.setFieldText(EditorField::kYOffset, std::to_string(working_->yOffset));
  view_.setFieldText(EditorField::kSoundPath, soundPath_);
}

void EditorState::commit() {
  std::string name = view_.fieldText(EditorField::kName);
  if (name.size() > kNameReadLimit) name.resize(kNameReadLimit);
  // The name alone is compared with the working copy: a rename inside the
  // editor counts even after a save made the source equal to it.
  if (name != working_->name) working_->modified = 1;
  working_->name = std::move(name);

  readClickSettings();
  readOffsets();
  takeSoundPath();

  frameList_.getFrames(working_->frames);
  if (std::any_of(working_->frames.begin(), working_->frames.end(),
                  [](const FrameRecord& frame) { return frame.modified != 0; }))
    working_->modified = 1;
}

void EditorState::confirm() {
  commit();
  source_ = *working_;
}

void EditorState::tearDown() {
  filling_ = true;
  preview_.destroy();
}

// -- commands --

void EditorState::clickActiveToggled() {
  readClickSettings();
  view_.enable(EditorControl::kClickOptions, view_.isChecked(EditorCheck::kClickActive));
  preview_.refresh();
  sendClickRange();
}

void EditorState::addFrame() { changeFrames(true); }
void EditorState::removeFrame() { changeFrames(false); }

void EditorState::changeFrames(bool add) {
  EditorWait wait(services_);
  std::vector<FrameRecord> snapshot;
  frameList_.getFrames(snapshot);
  const std::int32_t index = add ? frameList_.addFrame() : frameList_.removeFrame();
  if (index != -1) {
    recordUndo(add, std::move(snapshot));
    adjustClickRange(index, add);
  }
  readClickSettings();
  writeRowsAndReload();
}

void EditorState::writeRowsAndReload() {
  frameList_.getFrames(working_->frames);
  working_->loadImages();
  preview_.refresh();
}

void EditorState::editCreatorInfo() {
  CreatorFields fields = working_->getCreatorFields();
  if (services_.editCreatorInfo(fields)) working_->setCreatorFields(fields);
}

void EditorState::stopPreview() {
  preview_.stop();
  updatePreviewButtons();
}

void EditorState::startPreview() {
  preview_.start();
  updatePreviewButtons();
}

void EditorState::stepPreview() {
  preview_.step();
  updatePreviewButtons();
}

void EditorState::surfaceClicked() {
  commit();
  preview_.refresh();
}

void EditorState::showHelp() { services_.showEditorHelp(); }

// -- undo --

void EditorState::recordUndo(bool isAddition, std::vector<FrameRecord> snapshot) {
  undo_.undone = false;
  undo_.available = true;
  undo_.lastWasAddition = isAddition;
  undo_.savedFrames = std::move(snapshot);
  updateUndoButton();
  // Read before the click range is adjusted for the change.
  undo_.savedClickFirst = clickSpinFrame(EditorSpin::kClickFirst);
  undo_.savedClickLast = clickSpinFrame(EditorSpin::kClickLast);
}

void EditorState::undoRedo() {
  // The button is disabled without a snapshot; swapping in an empty one
  // would wipe the frames.
  if (!undo_.available) return;
  {
    EditorWait wait(services_);
    std::swap(working_->frames, undo_.savedFrames);

    const std::int32_t first = undo_.savedClickFirst;
    const std::int32_t last = undo_.savedClickLast;
    undo_.savedClickFirst = clickSpinFrame(EditorSpin::kClickFirst);
    undo_.savedClickLast = clickSpinFrame(EditorSpin::kClickLast);

    frameList_.undo();
    adjustClickRange(-1, false);
    view_.setSpinPosition(EditorSpin::kClickFirst, first + 1);
    view_.setSpinPosition(EditorSpin::kClickLast, last + 1);

    working_->loadImages();
    undo_.undone = !undo_.undone;
    updateUndoButton();
    updateFrameButtons();
  }
  readClickSettings();
  preview_.refresh();
}

void EditorState::resetUndo() {
  undo_ = UndoState{};
  updateUndoButton();
  frameList_.resetUndo();
}

void EditorState::updateUndoButton() {
  view_.setUndoLabel(UndoButtonLabel(undo_));
  view_.enable(EditorControl::kUndo, UndoButtonEnabled(undo_));
}

void EditorState::updateFrameButtons() {
  const bool hasFrames = working_->hasFrames();
  view_.enable(EditorControl::kPublish, hasFrames);
  view_.enable(EditorControl::kSave, hasFrames);
}

void EditorState::updatePreviewButtons() {
  const bool stopped = preview_.isStopped();
  view_.enable(EditorControl::kStop, !stopped);
  view_.enable(EditorControl::kStart, stopped);
  view_.enable(EditorControl::kStep, stopped);
}

// -- from the frame list and the preview --

void EditorState::frameChanged(std::int32_t index, const FrameRecord* record) {
  EditorWait wait(services_);
  if (record != nullptr && working_->frameInRange(index)) {
    FrameRecord& frame = working_->frameAt(index);
    const bool reload = record->fileName != frame.fileName || working_->isImageStale(index);
    FrameRecord updated = *record;
    updated.imageIndex = frame.imageIndex;
    updated.modified = frame.modified;
    updated.loopsLeft = 0;
    if (FrameFieldsDiffer(frame, updated)) updated.modified = 1;
    frame = std::move(updated);
    if (reload) {
      preview_.hide();
      working_->loadFrameImage(index, true);
      preview_.refresh();
      preview_.show();
    }
  } else {
    // The number of frames changed: take every row.
    frameList_.getFrames(working_->frames);
    preview_.hide();
    working_->loadImages();
    preview_.refresh();
    preview_.show();
  }
  updateFrameButtons();
  sendClickRange();
}

void EditorState::selectionChanged(std::int32_t index) {
  view_.enable(EditorControl::kRemoveFrame, index != -1);
  if (index != -1) preview_.showFrame(index);
}

std::int32_t EditorState::currentFrame() const { return working_ ? working_->currentFrame : -1; }

void EditorState::previewShowedFrame(std::int32_t frame) { frameList_.showCurrent(frame); }

void EditorState::previewClicked(std::int32_t frame) {
  frameList_.showClicked(frame == -1 ? currentFrame() : frame);
}

}  // namespace mascot
