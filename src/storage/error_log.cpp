#include "storage/error_log.h"

#include <ctime>
#include <fstream>
#include <iostream>

#include "errors/error_text.h"
#include "errors/program_path.h"
#include "errors/system_error.h"
#include "storage/paths.h"

namespace mascot {
namespace {

// Long local date and time, a blank, then the time zone's name:
// "Saturday, December 05, 2026 15:47:21 UTC".
std::string TimeStamp() {
  std::time_t now = std::time(nullptr);
  std::tm local{};
  if (localtime_r(&now, &local) == nullptr) return {};
  char buffer[128];
  std::size_t n = std::strftime(buffer, sizeof buffer, "%A, %B %d, %Y %H:%M:%S %Z", &local);
  return std::string(buffer, n);
}

}  // namespace

std::string ErrorLogPath() {
  std::string program = ProgramPath();
  return program.empty() ? std::string() : ChangeExtension(program, "elog");
}

void AppendToErrorLog(std::string_view fileName, std::string_view stage, ErrorCode code) {
  // The code is resolved before anything here can touch the last error.
  if (code == 0) code = LastSystemError();
  std::string path = ErrorLogPath();
  if (path.empty()) {
    DescribeError(std::cerr, fileName, "Getting module name", code);
    return;
  }
  std::ofstream log(NativePath(path), std::ios::out | std::ios::app | std::ios::binary);
  if (!log) return;
  log << TimeStamp() << " - " << DescribeErrorText(stage, fileName, code);
}

}  // namespace mascot
