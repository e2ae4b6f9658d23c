#pragma once
#include <string>

#include "canvas.h"

namespace samples {

// The picture formats the samples are drawn in, between them every format a
// frame picture can come in.
enum class PictureFormat { Bmp4, Pcx8, Ilbm, Pbm };

const char* ExtensionOf(PictureFormat format);

// Writes the canvas in the format with the palette (padded to the format's
// table size with black). False when the file could not be written.
bool WritePicture(const Canvas& canvas, const Palette& palette, PictureFormat format, const std::string& path);

}  // namespace samples
