#pragma once
#include <string>

class QWidget;

namespace mascot {

// "Open Image File" for a frame row's "...": starts in the folder of the
// last image chosen (kept for the program's run) and refuses pictures over
// the frame size limit while it stays open. The chosen path, or empty.
std::string BrowseFrameImage(QWidget* owner, const std::string& rowPath);

}  // namespace mascot
