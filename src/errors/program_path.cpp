#include "errors/program_path.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>

namespace mascot {

std::string ProgramPath() {
  char buffer[1024];
  ssize_t n = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
  if (n <= 0 || n >= static_cast<ssize_t>(sizeof buffer - 1)) {
    std::fprintf(stderr, "GetProgramPath() failed: code = %d\n", n < 0 ? errno : 0);
    return {};
  }
  return std::string(buffer, static_cast<std::size_t>(n));
}

}  // namespace mascot
