#pragma once
#include <string>

namespace mascot {

struct ProgramVersion {
  unsigned major = 0;
  unsigned minor = 0;
  unsigned release = 0;
};

// The version this program was built as.
ProgramVersion CurrentProgramVersion();

// What the About box appends to its caption: 1.2.0 gives " v1.20".
std::string VersionCaptionSuffix(const ProgramVersion& version);

}  // namespace mascot
