#pragma once
#include <cstdint>
#include <string>

#include "imaging/bitmap.h"
#include "imaging/region.h"
#include "report.h"

namespace mascot::tool {

// What the mascot window makes of a picture: its layout and its opaque area
// by the transparent-colour rule.
struct PictureSummary {
  int width = 0;
  int height = 0;
  int bitsPerPixel = 0;
  std::uint32_t stride = 0;
  std::size_t colourCount = 0;
  std::uint32_t transparentColour = 0;  // 0x00BBGGRR
  std::size_t shapeRects = 0;           // rectangles of the transparent-colour rule
  bool hasShape = false;
  Rect shapeBounds;
};

PictureSummary SummarisePicture(const Bitmap& bitmap);

// "#RRGGBB" for a 0x00BBGGRR colour.
std::string ColourText(std::uint32_t colour);
// The fields as members of a report object.
void ReportPicture(Report& report, const PictureSummary& summary);

}  // namespace mascot::tool
