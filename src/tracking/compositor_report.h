#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "imaging/region.h"

namespace mascot {

// On a Wayland session the compositor itself knows the windows. A script
// the program loads into it (KWin) or an extension shipped with the program
// (GNOME Shell) sends the whole list as text over the session bus after
// every change:
//
//   windows 1 <width> <height>
//   <id> <pid> <x> <y> <width> <height> <flags> <owner> <title>
//   ...
//
// The first line gives the size of the compositor's logical screen; then
// one line per window, top-most first. id and owner are tokens of 1-64
// characters from [A-Za-z0-9_.{}-], owner "-" for none. x, y, width and
// height are the frame with its decorations, in the compositor's logical
// coordinates. flags are letters, "-" for none: s shown (on the current
// desktop, not minimised, not hidden), m minimised, a kept above, d the
// desktop's background. The title is the rest of the line, may be empty.
// Lines end in "\n".
//
// The text comes from another process: it is read as hostile input.
struct ReportedWindow {
  std::string id;
  std::uint32_t pid = 0;
  Rect frame;  // logical
  bool shown = false;
  bool minimised = false;
  bool above = false;
  bool desktop = false;
  std::string owner;  // empty for none
  std::string title;
};

struct CompositorReport {
  int screenWidth = 0;
  int screenHeight = 0;
  std::vector<ReportedWindow> windows;  // top-most first
};

inline constexpr std::size_t kMaxReportBytes = std::size_t{1} << 20;
inline constexpr std::size_t kMaxReportedWindows = 4096;
inline constexpr std::size_t kMaxReportedIdLength = 64;
inline constexpr std::size_t kMaxReportedTitleBytes = 1024;

// The report in the text, or false (and report untouched) when the text is
// not one: too large, a header other than version 1, a line that does not
// parse, more windows than the cap. Titles longer than the cap are cut.
bool ParseCompositorReport(std::string_view text, CompositorReport& report);

}  // namespace mascot
