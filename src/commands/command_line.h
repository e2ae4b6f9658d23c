#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace mascot {

// Splits a command text into arguments: blanks (spaces, tabs) separate them,
// double quotes group blanks into one argument and are removed, and a
// backslash before a double quote makes it literal (two backslashes keep the
// quote a quote).
std::vector<std::string> SplitCommandLine(std::string_view text);

}  // namespace mascot
