#include "picture_summary.h"

#include <cstdio>
#include <vector>

#include "model/transparent_region.h"

namespace mascot::tool {

PictureSummary SummarisePicture(const Bitmap& bitmap) {
  PictureSummary s;
  s.width = bitmap.width();
  s.height = bitmap.height();
  s.bitsPerPixel = bitmap.bitsPerPixel();
  s.stride = bitmap.stride();
  s.colourCount = bitmap.colourTable().size();
  s.transparentColour = bitmap.pixelColour(0, 0);
  std::vector<Rect> rects;
  FindOpaqueRects(bitmap, rects);
  s.shapeRects = rects.size();
  SharedHandle<Region> region = BuildTransparentRegion(&bitmap, rects, false);
  if (region) {
    s.hasShape = true;
    s.shapeBounds = region->bounds();
  }
  return s;
}

std::string ColourText(std::uint32_t colour) {
  char text[8];
  std::snprintf(text, sizeof text, "#%02X%02X%02X", colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
  return text;
}

void ReportPicture(Report& report, const PictureSummary& s) {
  report.number("width", s.width);
  report.number("height", s.height);
  report.number("bitsPerPixel", s.bitsPerPixel);
  report.number("stride", s.stride);
  report.number("colours", static_cast<std::int64_t>(s.colourCount));
  report.add("transparentColour", ColourText(s.transparentColour));
  report.number("shapeRectangles", static_cast<std::int64_t>(s.shapeRects));
  if (!s.hasShape) {
    report.null("shapeBounds");
    return;
  }
  Report& bounds = report.array("shapeBounds");
  for (int edge : {s.shapeBounds.left, s.shapeBounds.top, s.shapeBounds.right, s.shapeBounds.bottom})
    bounds.number({}, edge);
}

}  // namespace mascot::tool
