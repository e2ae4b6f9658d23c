// The editor's fields: offsets, the click range and the click sound.
#include <cstdint>

#include "editing/editor_state.h"
#include "editing/editor_wait.h"
#include "editing/message_flags.h"
#include "sound/wave_format.h"
#include "storage/config_syntax.h"
#include "storage/file_info.h"

namespace mascot {
namespace {

// How much of a field each reading takes, as the old fixed buffers did.
constexpr std::size_t kOffsetReadLimit = 23;
constexpr std::size_t kClickFrameReadLimit = 15;
constexpr std::size_t kSoundPathReadLimit = 260;

constexpr std::string_view kSoundErrorCaption = "Tovra Mascot Error";

std::int32_t ReadDecimal(std::string text, std::size_t limit) {
  if (text.size() > limit) text.resize(limit);
  return ParseLong(text);
}

}  // namespace

// -- offsets --

void EditorState::readOffsets() {
  MascotDocument& doc = *working_;
  doc.xOffset = ReadDecimal(view_.fieldText(EditorField::kXOffset), kOffsetReadLimit);
  doc.yOffset = ReadDecimal(view_.fieldText(EditorField::kYOffset), kOffsetReadLimit);
  doc.offsetIsPercent = view_.isChecked(EditorCheck::kXIsPercent) ? 1 : 0;
  doc.offsetRelativeToRightEdge = view_.isChecked(EditorCheck::kRelativeToRightEdge) ? 1 : 0;
  if (doc.xOffset != source_.xOffset || doc.yOffset != source_.yOffset ||
      doc.offsetIsPercent != source_.offsetIsPercent ||
      doc.offsetRelativeToRightEdge != source_.offsetRelativeToRightEdge)
    doc.modified = 1;
}

void EditorState::offsetEdited() {
  if (filling_) return;
  readOffsets();
  preview_.refresh();
}

// The up-down reports a 16-bit position.
void EditorState::xSpinMoved(int position) {
  working_->xOffset = static_cast<std::int16_t>(position);
  preview_.refresh();
}

void EditorState::ySpinMoved(int position) {
  working_->yOffset = static_cast<std::int16_t>(position);
  preview_.refresh();
}

void EditorState::percentToggled() {
  // The free width the placement divides: the mascot keeps its place.
  std::int64_t width = std::int64_t{view_.dialogWidth()} - preview_.width();
  if (width < 1) width = 100;
  const std::int64_t value = ReadDecimal(view_.fieldText(EditorField::kXOffset), kOffsetReadLimit);
  std::int64_t converted = 0;
  if (view_.isChecked(EditorCheck::kXIsPercent)) {
    view_.setSpinRange(EditorSpin::kXOffset, 0, 100);
    converted = (value * 100 + width - 1) / width;  // rounds up, so the mascot never moves left
  } else {
    view_.setSpinRange(EditorSpin::kXOffset, -kOffsetLimit, kOffsetLimit);
    converted = value * width / 100;
  }
  view_.setSpinPosition(EditorSpin::kXOffset, static_cast<int>(converted));
  readOffsets();
  preview_.refresh();
}

void EditorState::relativeToggled() {
  readOffsets();
  preview_.refresh();
}

// -- click range --

int EditorState::clickSpin(EditorSpin spin) { return view_.spinPosition(spin).value_or(0); }

void EditorState::readClickSettings() {
  MascotDocument& doc = *working_;
  doc.clickSequenceDefined = view_.isChecked(EditorCheck::kClickActive) ? 1 : 0;
  doc.clickStartIndex = clickSpinFrame(EditorSpin::kClickFirst);
  doc.clickEndIndex = clickSpinFrame(EditorSpin::kClickLast);
  if (doc.clickSequenceDefined != source_.clickSequenceDefined || doc.clickStartIndex != source_.clickStartIndex ||
      doc.clickEndIndex != source_.clickEndIndex)
    doc.modified = 1;
}

void EditorState::sendClickRange() {
  frameList_.setClickRange(clickSpinFrame(EditorSpin::kClickFirst),
                           clickSpinFrame(EditorSpin::kClickLast));
}

void EditorState::raiseLastToFirst() {
  const int first = clickSpin(EditorSpin::kClickFirst);
  if (clickSpin(EditorSpin::kClickLast) < first) view_.setSpinPosition(EditorSpin::kClickLast, first);
}

void EditorState::clickFirstSpinMoved() {
  raiseLastToFirst();
  if (clickSpinFrame(EditorSpin::kClickFirst) != working_->clickStartIndex) takeClickRange();
}

void EditorState::clickLastSpinMoved() {
  const int last = clickSpin(EditorSpin::kClickLast);
  if (clickSpin(EditorSpin::kClickFirst) > last) view_.setSpinPosition(EditorSpin::kClickFirst, last);
  if (last - 1 != working_->clickEndIndex) takeClickRange();
}

// A stepped range reaches the document, the preview and the list at once.
void EditorState::takeClickRange() {
  readClickSettings();
  preview_.refresh();
  sendClickRange();
}

void EditorState::clickFirstEditDone() { clickEditDone(EditorSpin::kClickFirst, EditorField::kClickFirst); }
void EditorState::clickLastEditDone() { clickEditDone(EditorSpin::kClickLast, EditorField::kClickLast); }

// Typed text never means "none": anything unusable becomes frame 1. The
// working document takes the value at the next commit or spin change.
void EditorState::clickEditDone(EditorSpin spin, EditorField field) {
  int value = ReadDecimal(view_.fieldText(field), kClickFrameReadLimit);
  if (value < 1 || value > clickSpinLimit_) value = 1;
  view_.setSpinPosition(spin, value);
  raiseLastToFirst();
  sendClickRange();
}

void EditorState::adjustClickRange(std::int32_t index, bool added) {
  const std::int32_t count = frameList_.count();
  for (const EditorSpin spin : {EditorSpin::kClickFirst, EditorSpin::kClickLast}) {
    std::int32_t frame = clickSpinFrame(spin);
    if (index != -1 && frame != -1) {
      if (added && frame >= index) {
        ++frame;
      } else if (!added && frame > index) {
        --frame;
      }
    }
    if (frame >= count) frame = -1;
    view_.setSpinRange(spin, 0, count);
    view_.setSpinPosition(spin, frame + 1);
  }
  clickSpinLimit_ = count;
}

// -- click sound --

void EditorState::takeSoundPath() {
  MascotDocument& doc = *working_;
  if (doc.soundPath == soundPath_) return;
  doc.soundPath = soundPath_;
  // The held bytes belong to the old path: LoadSound reads the new file
  // only once they are gone.
  doc.soundData.reset();
  doc.soundSize = 0;
  doc.loadedSoundPath.clear();
}

void EditorState::browseSound() {
  const std::string chosen = services_.askSoundPath(soundPath_);
  if (!chosen.empty()) {
    soundPath_ = chosen;
    view_.setFieldText(EditorField::kSoundPath, soundPath_);
  }
  takeSoundPath();
  if (!chosen.empty()) refreshSoundInfo();
}

void EditorState::soundPathEditDone() {
  std::string text = view_.fieldText(EditorField::kSoundPath);
  if (text.empty()) {
    soundPath_.clear();
  } else {
    if (text.size() > kSoundPathReadLimit) text.resize(kSoundPathReadLimit);
    const std::string path = FullPath(text);
    view_.setFieldText(EditorField::kSoundPath, path);
    std::string problem;
    if (!FileExists(path)) {
      problem = "The file \"" + path + "\" does not exist!  Please enter a valid path and file!";
    } else if (IsFolder(path)) {
      problem = "The path \"" + path + "\" is a folder!  You must specify file!";
    }
    if (!problem.empty()) {
      services_.showMessage(problem, std::string(kSoundErrorCaption), MessageFlags::kOk | MessageFlags::kErrorIcon);
      view_.focusField(EditorField::kSoundPath);
      clearSoundInfo();
      takeSoundPath();  // the old path, kept
      return;
    }
    soundPath_ = path;
  }
  takeSoundPath();
  refreshSoundInfo();
}

void EditorState::refreshSoundInfo() {
  if (soundPath_.empty()) {
    clearSoundInfo();
    return;
  }
  WaveFormatInfo format;
  std::uint32_t size = 0;
  const SoundData& held = working_->soundData;
  const bool found = held && !held->empty() ? FindWaveFormat(*held, &format, size)
                                            : FindWaveFormatInFile(soundPath_, &format, size);
  view_.setSoundInfo(found ? FormatSoundInfo(format, size) : std::string());
}

void EditorState::clearSoundInfo() { view_.setSoundInfo({}); }

void EditorState::testSound() {
  if (soundPath_.empty()) {
    services_.showMessage("Please load a sound first!", "Mascot Sound Error",
                          MessageFlags::kOk | MessageFlags::kWarningIcon | MessageFlags::kForeground);
    return;
  }
  EditorWait wait(services_);
  const SoundData& held = working_->soundData;
  if (held && !held->empty()) {
    services_.playSoundSync(*held);
  } else {
    services_.playSoundFileSync(soundPath_);
  }
}

}  // namespace mascot
