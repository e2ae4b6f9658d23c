#include <cstdio>
#include <filesystem>
#include <iostream>
#include <system_error>

#include "commands.h"
#include "errors/error_text.h"
#include "errors/system_error.h"
#include "files/work_file.h"
#include "imaging/bmp_writer.h"
#include "mascot_file_check.h"
#include "output_file.h"
#include "storage/mascot_library.h"
#include "storage/paths.h"

namespace mascot::tool {
namespace {

constexpr const char* kSoundFileName = "click.wav";
constexpr const char* kReadmeFileName = "readme.txt";

std::string PictureFileName(std::size_t index) {
  char name[32];
  std::snprintf(name, sizeof name, "picture%02zu.bmp", index + 1);
  return name;
}

// The work file's name: the mascot's name as the publish dialog proposes it,
// or the published file's own name.
std::string WorkFileName(const MascotDocument& document, std::string_view publishedPath) {
  std::string base = StripForbiddenFileNameChars(document.name);
  if (base.empty()) base = ChangeExtension(FileNamePart(publishedPath), "");
  return base + ".wmascot";
}

bool Fail(const std::string& path) {
  PrintError(ErrorText("Saving", path, 0));
  return false;
}

// The pictures, sound and read-me as files, and the work document naming
// them by paths relative to the folder.
bool WriteMedia(const MascotDocument& document, const std::string& folder, MascotDocument& work) {
  std::vector<std::string> pictureNames;
  for (std::size_t i = 0; i < document.images.size(); ++i) {
    pictureNames.push_back(PictureFileName(i));
    const std::string path = JoinPath(folder, pictureNames.back());
    if (!document.images[i].bitmap || !WriteBmpFile(*document.images[i].bitmap, path)) return Fail(path);
    std::cout << path << '\n';
  }
  for (FrameRecord& frame : work.frames)
    frame.fileName = work.imageInRange(frame.imageIndex) ? pictureNames[static_cast<std::size_t>(frame.imageIndex)] : "";
  work.soundPath.clear();
  if (document.soundData) {
    const std::string path = JoinPath(folder, kSoundFileName);
    if (!WriteWholeFile(path, *document.soundData)) return Fail(path);
    work.soundPath = kSoundFileName;
    std::cout << path << '\n';
  }
  if (!document.readme.empty()) {
    const std::string path = JoinPath(folder, kReadmeFileName);
    if (!WriteWholeFile(path, document.readme)) return Fail(path);
    std::cout << path << '\n';
  }
  return true;
}

}  // namespace

const CommandInfo kExportInfo = {
    "export",
    "FILE.mascot DIR",
    "Write a published mascot back out as pictures, sound, read-me and a work file.",
    "Each picture becomes DIR/pictureNN.bmp at its own depth with its colour table,\n"
    "the click sound DIR/click.wav, the read-me DIR/readme.txt, and DIR/<Name>.wmascot\n"
    "names them by relative paths. Publishing that work file gives back the same\n"
    "bytes for a mascot this program published. DIR is created when missing.\n",
    {},
    {},
    2,
    2,
};

int RunExport(const Arguments& args) {
  const std::string& path = args.positionals[0];
  const std::string& folder = args.positionals[1];
  CheckedMascotFile checked = CheckMascotFile(path);
  if (checked.kind != kPublishedMascotFile && checked.errorText.empty())
    checked.errorText = ErrorText("Opening", path, kErrNotResourceFile);
  if (!checked.complete() || checked.kind != kPublishedMascotFile) {
    PrintError(checked.errorText);
    return kExitFailed;
  }
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  if (error) {
    SetLastErrorFromErrno(error.value());
    Fail(folder);
    return kExitFailed;
  }
  const MascotDocument& document = *checked.document;
  MascotDocument work = document;
  if (!WriteMedia(document, folder, work)) return kExitFailed;
  const std::string workPath = JoinPath(folder, WorkFileName(document, path));
  if (!SaveWorkFile(workPath, work)) {
    Fail(workPath);
    return kExitFailed;
  }
  std::cout << workPath << '\n';
  return kExitOk;
}

}  // namespace mascot::tool
