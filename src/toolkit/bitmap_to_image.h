#pragma once
#include <QImage>

#include "imaging/bitmap.h"

namespace mascot {

// The picture as the toolkit paints it: every pixel's exact colour, opaque,
// whatever the bitmap's depth.
QImage BitmapToImage(const Bitmap& bitmap);

}  // namespace mascot
