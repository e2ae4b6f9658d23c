#include <cstdlib>

#include "commands.h"
#include "errors/error_text.h"
#include "png_output.h"
#include "picture_source.h"

namespace mascot::tool {

const CommandInfo kConvertImageInfo = {
    "convert-image",
    "IMAGE OUT.png [--transparent] [--scale N]",
    "Decode a BMP, PCX, IFF (LBM) or XPM picture as the program does and write it as PNG.",
    "The PNG holds the decoded picture's colours at its decoded size (PCX and IFF\n"
    "widths are rounded up to a multiple of 4).\n\n"
    "  --transparent   make the transparent colour (the top-left pixel's) see-through\n"
    "  --scale N       enlarge each pixel to N x N (1 to 16)\n",
    {"--transparent"},
    {"--scale"},
    2,
    2,
};

int RunConvertImage(const Arguments& args) {
  const std::string& path = args.positionals[0];
  const std::string& out = args.positionals[1];
  int scale = 1;
  if (auto text = args.option("--scale")) {
    scale = std::atoi(text->c_str());
    if (scale < 1 || scale > 16) return UsageError(kConvertImageInfo, "--scale takes a whole number from 1 to 16");
  }
  LoadedPicture picture = LoadPicture(path);
  if (!picture.bitmap) {
    PrintError(picture.errorText);
    return kExitFailed;
  }
  if (!WritePng(*picture.bitmap, out, args.has("--transparent"), scale)) {
    PrintError(ErrorText("Saving", out, 0));
    return kExitFailed;
  }
  return kExitOk;
}

}  // namespace mascot::tool
