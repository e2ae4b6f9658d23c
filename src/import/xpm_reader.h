#pragma once
#include <string_view>

#include "imaging/bitmap.h"
#include "imaging/shared_handle.h"

// The XPM pictures of imported mascots.
namespace mascot {

// The largest XPM file the reader takes into memory.
inline constexpr std::size_t kMaxXpmFileSize = 16u << 20;

// Decodes the text of an XPM file. The picture is 8 bits with one colour
// table entry per colour-map entry when there are at most 256 of them, else
// 32 bits; its width is rounded up to a multiple of 4 and the added columns
// take the padding colour (the transparent colour, or the top-left pixel's
// when every colour is known). Null with the last system error set when the
// text is not a picture.
SharedHandle<Bitmap> DecodeXpm(std::string_view text);

// The picture of an XPM file, from the cache of the mascot being imported
// when it was loaded before.
SharedHandle<Bitmap> LoadXpm(std::string_view path);

// Empties that cache (at the start of each mascot).
void ForgetLoadedXpms();

}  // namespace mascot
