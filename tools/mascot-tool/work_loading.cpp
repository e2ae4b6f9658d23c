#include "work_loading.h"

#include <cerrno>

#include "errors/error_text.h"
#include "errors/system_error.h"
#include "files/work_file.h"
#include "model/sound_clip.h"
#include "storage/file_info.h"
#include "storage/paths.h"

namespace mascot::tool {
namespace {

constexpr const char* kImageProblemText =
    "There was a problem loading one or more images.  The corresponding frames are now blank:\r\n\r\n";

bool IsAbsolute(std::string_view name) {
  return !name.empty() && (name[0] == '/' || name[0] == '\\' || (name.size() > 1 && name[1] == ':'));
}

}  // namespace

std::string ResolveBesideWorkFile(std::string_view workPath, std::string_view name) {
  if (name.empty() || IsAbsolute(name)) return std::string(name);
  return JoinPath(FolderWithSeparator(workPath), name);
}

std::shared_ptr<MascotDocument> LoadWorkOnly(std::string_view path, std::string& errorText) {
  SetLastSystemError(0);
  std::shared_ptr<MascotDocument> document = LoadWorkFile(path);
  if (!document) {
    // A readable file without a single entry leaves no system error behind.
    ErrorCode code = LastSystemError() != 0 ? 0 : CrtErrorCode(FileExists(path) ? EINVAL : ENOENT);
    errorText = ErrorText("Opening", path, code);
  }
  return document;
}

LoadedWork LoadWorkWithMedia(std::string_view path) {
  LoadedWork work;
  work.document = LoadWorkOnly(path, work.errorText);
  if (!work.document) return work;
  MascotDocument& document = *work.document;
  for (FrameRecord& frame : document.frames) frame.fileName = ResolveBesideWorkFile(path, frame.fileName);
  document.soundPath = ResolveBesideWorkFile(path, document.soundPath);

  bool imagesLoaded = document.loadImages();
  if (!imagesLoaded) work.errorText = kImageProblemText + document.loadErrors;
  // The sound load empties loadErrors first, so the image lines were taken above.
  LoadSound(document);
  bool soundLoaded = document.loadErrors.empty();
  if (!soundLoaded) work.errorText += document.loadErrors;
  work.complete = imagesLoaded && soundLoaded;
  return work;
}

}  // namespace mascot::tool
