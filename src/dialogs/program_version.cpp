#include "dialogs/program_version.h"

#include <cstdio>

namespace mascot {

ProgramVersion CurrentProgramVersion() {
  return {MASCOT_VERSION_MAJOR, MASCOT_VERSION_MINOR, MASCOT_VERSION_RELEASE};
}

std::string VersionCaptionSuffix(const ProgramVersion& version) {
  char text[48];
  std::snprintf(text, sizeof text, " v%u.%u%u", version.major, version.minor, version.release);
  return text;
}

}  // namespace mascot
