#include "mascot_file_check.h"

#include <cerrno>

#include "errors/error_text.h"
#include "errors/system_error.h"
#include "files/published_mascot.h"
#include "storage/file_info.h"
#include "storage/mascot_library.h"
#include "work_loading.h"

namespace mascot::tool {
namespace {

void CheckPublished(std::string_view path, CheckedMascotFile& checked) {
  SetLastErrorText("");
  checked.document = OpenPublishedMascot(path);
  checked.container = InspectContainer(path);
  if (!checked.document) {
    checked.errorText = GetLastErrorText();
    if (checked.errorText.empty()) checked.errorText = "\"" + std::string(path) + "\" holds no mascot record.";
    return;
  }
  if (!checked.container.allLoaded()) {
    checked.errorText = checked.container.errorText;
    return;
  }
  const auto& records = checked.container.imageRecords;
  if (records && records->size() != checked.document->images.size())
    checked.errorText = "\"" + std::string(path) + "\": " + std::to_string(checked.document->images.size()) +
                        " of " + std::to_string(records->size()) + " pictures could be built.";
}

}  // namespace

std::string KindName(int kind) {
  switch (kind) {
    case kPublishedMascotFile: return "published mascot";
    case kWorkFile: return "work file";
    default: return "unknown";
  }
}

CheckedMascotFile CheckMascotFile(std::string_view path, bool describeOnly) {
  CheckedMascotFile checked;
  checked.kind = IdentifyMascotFile(path);
  if (checked.kind == kPublishedMascotFile) {
    CheckPublished(path, checked);
  } else if (checked.kind == kWorkFile && describeOnly) {
    checked.document = LoadWorkOnly(path, checked.errorText);
  } else if (checked.kind == kWorkFile) {
    LoadedWork work = LoadWorkWithMedia(path);
    checked.document = work.document;
    checked.errorText = work.errorText;
  } else {
    ErrorCode code = FileExists(path) ? kErrNotResourceFile : CrtErrorCode(ENOENT);
    checked.errorText = ErrorText("Opening", path, code);
  }
  return checked;
}

}  // namespace mascot::tool
