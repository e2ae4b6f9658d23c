#include "picture_source.h"

#include <cerrno>

#include "errors/error_codes.h"
#include "errors/error_text.h"
#include "errors/system_error.h"
#include "storage/file_bytes.h"
#include "imaging/image_file_loader.h"
#include "import/xpm_reader.h"

namespace mascot::tool {
namespace {

constexpr std::string_view kXpmComment = "/* XPM */";

bool EndsWithIgnoringCase(std::string_view text, std::string_view end) {
  if (text.size() < end.size()) return false;
  for (std::size_t i = 0; i < end.size(); ++i) {
    char c = text[text.size() - end.size() + i];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (c != end[i]) return false;
  }
  return true;
}

bool LooksLikeXpm(std::string_view path) {
  if (EndsWithIgnoringCase(path, ".xpm")) return true;
  auto start = ReadFileStart(path, kXpmComment.size());
  return start && std::string_view(reinterpret_cast<const char*>(start->data()), start->size()) == kXpmComment;
}

std::string TypeName(ImageFileType type) {
  switch (type) {
    case ImageFileType::ResourceContainer: return "resource container";
    case ImageFileType::IffAnimation: return "IFF animation";
    case ImageFileType::IffPicture: return "IFF picture";
    case ImageFileType::Pcx: return "PCX";
    case ImageFileType::Gif: return "GIF";
    case ImageFileType::Bmp: return "BMP";
    default: return "unknown";
  }
}

}  // namespace

LoadedPicture LoadPicture(std::string_view path) {
  LoadedPicture picture;
  SetLastSystemError(0);
  if (LooksLikeXpm(path)) {
    picture.typeName = "XPM";
    picture.isXpm = true;
    ForgetLoadedXpms();
    picture.bitmap = LoadXpm(path);
  } else {
    ImageFileType type = DetectImageFileType(path);
    picture.typeName = TypeName(type);
    picture.typeNumber = static_cast<int>(type);
    picture.bitmap = LoadImageFile(path);
  }
  if (!picture.bitmap) {
    // A file the loaders do not take leaves no reason of its own.
    ErrorCode code = LastSystemError() != 0 ? 0 : CrtErrorCode(EINVAL);
    picture.errorText = ErrorText("Loading image", path, code);
  }
  return picture;
}

}  // namespace mascot::tool
