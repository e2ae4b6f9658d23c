#include "editing/frame_image_check.h"

#include <cstdint>

#include "editing/message_flags.h"
#include "errors/error_text.h"
#include "imaging/image_file_loader.h"

namespace mascot {
namespace {

constexpr char kErrorCaption[] = "Error";

}  // namespace

FrameImageFit CheckFrameImage(std::string_view path) {
  std::uint32_t bitsPerPixel = 0, width = 0, height = 0;
  if (!GetImageFileInfo(path, bitsPerPixel, width, height)) return FrameImageFit::kUnreadable;
  if (width > kMaxFrameWidth || height > kMaxFrameHeight) return FrameImageFit::kTooLarge;
  return FrameImageFit::kFits;
}

std::optional<RowMessage> RefuseTypedImage(std::string_view path) {
  switch (CheckFrameImage(path)) {
    case FrameImageFit::kFits: return std::nullopt;
    case FrameImageFit::kUnreadable:
      return RowMessage{ErrorText("Loading image", path, 0), kErrorCaption, MessageFlags::kErrorIcon};
    case FrameImageFit::kTooLarge:
      return RowMessage{std::string(kImageTooLargeText), kErrorCaption, MessageFlags::kErrorIcon};
  }
  return std::nullopt;
}

RowMessage ImageTooLargeWarning() {
  return {std::string(kImageTooLargeText), kErrorCaption, MessageFlags::kWarningIcon};
}

}  // namespace mascot
