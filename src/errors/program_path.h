#pragma once
#include <string>

namespace mascot {

// The running program's full path; empty (with a line on standard error) when
// it cannot be had.
std::string ProgramPath();

}  // namespace mascot
