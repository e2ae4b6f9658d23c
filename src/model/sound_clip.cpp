#include "model/sound_clip.h"

#include <memory>

#include "errors/error_text.h"
#include "sound/sound_file.h"

namespace mascot {
namespace {

void ReleaseSound(MascotDocument& document) {
  document.soundData.reset();
  document.soundSize = 0;
}

}  // namespace

bool LoadSound(MascotDocument& document) {
  document.loadErrors.clear();
  if (document.soundPath.empty()) {
    ReleaseSound(document);
    document.loadedSoundPath.clear();
    return false;
  }
  if (document.soundData) return true;
  // The bytes of this very path were held once and have been let go since:
  // they are not read again.
  if (document.soundPath == document.loadedSoundPath) return false;

  SoundFileContents contents = ReadSoundFile(document.soundPath);
  switch (contents.status) {
    case SoundFileStatus::OpenFailed:
      document.loadErrors = ErrorText("Opening sound file", document.soundPath, 0);
      return false;
    case SoundFileStatus::NoSize:
      document.soundSize = 0;
      return false;
    case SoundFileStatus::ReadFailed:
      ReleaseSound(document);
      document.loadedSoundPath.clear();
      document.loadErrors = ErrorText("Reading sound file", document.soundPath, 0);
      return false;
    case SoundFileStatus::Loaded:
      break;
  }
  document.soundSize = static_cast<std::uint32_t>(contents.bytes.size());
  document.soundData = std::make_shared<const SoundBytes>(std::move(contents.bytes));
  document.loadedSoundPath = document.soundPath;
  return true;
}

void PlayClickSound(MascotDocument& document, SoundPlayer* player) {
  LoadSound(document);
  if (document.soundData && !document.soundData->empty() && player != nullptr) player->playAsync(document.soundData);
}

}  // namespace mascot
