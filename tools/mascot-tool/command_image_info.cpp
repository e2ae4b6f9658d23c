#include <iostream>

#include "commands.h"
#include "imaging/image_file_loader.h"
#include "picture_source.h"
#include "picture_summary.h"
#include "report.h"

namespace mascot::tool {

const CommandInfo kImageInfoInfo = {
    "image-info",
    "IMAGE [--json]",
    "Show what the program sees in a BMP, PCX, IFF (LBM) or XPM picture.",
    "Prints the detected file type, the depth and size the file states, and the\n"
    "decoded picture: size (PCX and IFF widths are rounded up to a multiple of 4),\n"
    "depth, colour table, the transparent colour (the top-left pixel) and the\n"
    "opaque area the mascot window would take.\n\n"
    "  --json   print one JSON object instead of text\n",
    {"--json"},
    {},
    1,
    1,
};

int RunImageInfo(const Arguments& args) {
  const std::string& path = args.positionals[0];
  LoadedPicture picture = LoadPicture(path);
  if (!picture.bitmap) {
    PrintError(picture.errorText);
    return kExitFailed;
  }
  Report report = Report::Object();
  report.add("file", path);
  report.add("type", picture.typeName);
  report.number("typeNumber", picture.typeNumber);
  std::uint32_t bpp = 0, width = 0, height = 0;
  if (!picture.isXpm && GetImageFileInfo(path, bpp, width, height)) {
    Report& stated = report.object("stated");
    stated.number("width", width);
    stated.number("height", height);
    stated.number("bitsPerPixel", bpp);
  }
  ReportPicture(report.object("picture"), SummarisePicture(*picture.bitmap));
  std::cout << (args.has("--json") ? report.json() : report.text());
  return kExitOk;
}

}  // namespace mascot::tool
