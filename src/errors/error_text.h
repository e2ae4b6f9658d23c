#pragma once
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "errors/error_codes.h"

namespace mascot {

inline constexpr const char* kNoMessageText = "<NO ERROR MESSAGE AVALABLE>";

// The one-line failure text shown in message boxes:
// "Error (n)! stage "file" - message". A code of 0 means the thread's last
// system error. Inserts fill %1, %2, ... of the message.
std::string ErrorText(std::string_view stage, std::string_view fileName, ErrorCode code,
                      const std::vector<std::string>& inserts = {});

// The line the container classes and the error log use:
// "<source> Error (n)! stage "file": message" and a line break.
void DescribeError(std::ostream& out, std::string_view fileName, std::string_view stage,
                   ErrorCode code);
std::string DescribeErrorText(std::string_view stage, std::string_view fileName, ErrorCode code);

// The process-wide text of the most recent failure, carried up to the caller
// that shows it.
void SetLastErrorText(std::string text);
std::string GetLastErrorText();

}  // namespace mascot
