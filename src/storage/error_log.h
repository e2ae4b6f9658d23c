#pragma once
#include <string>
#include <string_view>

#include "errors/error_codes.h"

namespace mascot {

// The log file beside the program: its path with the extension "elog";
// empty when the program path cannot be had.
std::string ErrorLogPath();

// Appends one time-stamped DescribeError line to the error log. Without a
// program path the line goes to standard error instead; a log that cannot be
// opened is skipped.
void AppendToErrorLog(std::string_view fileName, std::string_view stage, ErrorCode code);

}  // namespace mascot
