#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// A frame's picture must be readable and no larger than the mascot window
// allows.
namespace mascot {

inline constexpr std::uint32_t kMaxFrameWidth = 320;
inline constexpr std::uint32_t kMaxFrameHeight = 200;
// String 111: a picture over that size.
inline constexpr std::string_view kImageTooLargeText =
    "The selected image is too large.  The limit is 320 x 200.  Please select another image.";

enum class FrameImageFit { kFits, kUnreadable, kTooLarge };
FrameImageFit CheckFrameImage(std::string_view path);

// A message for the program's message box (flags of editing/message_flags.h).
struct RowMessage {
  std::string text;
  std::string caption;
  unsigned flags = 0;
};

// Why a typed image path is refused, or none when it is taken. Composed
// right after the check, while the reason is the thread's last error.
std::optional<RowMessage> RefuseTypedImage(std::string_view path);
// The browse dialog's warning, which keeps the dialog open.
RowMessage ImageTooLargeWarning();

}  // namespace mascot
