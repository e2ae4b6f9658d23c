#pragma once
#include <string>
#include <string_view>

#include "imaging/bitmap.h"
#include "imaging/shared_handle.h"

namespace mascot::tool {

// A picture file as the program reads it: BMP, PCX and IFF through the frame
// picture loader, XPM through the importer's reader.
struct LoadedPicture {
  SharedHandle<Bitmap> bitmap;  // null on failure
  std::string typeName;         // "BMP", "PCX", "IFF picture", "XPM", ...
  int typeNumber = -1;          // the detected image file type; -1 for XPM and unknown files
  bool isXpm = false;
  std::string errorText;        // the program's text for a failure
};

LoadedPicture LoadPicture(std::string_view path);

}  // namespace mascot::tool
