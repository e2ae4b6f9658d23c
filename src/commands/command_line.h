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

// What a second start hands to the running instance: "-e" (any case) as it
// stands, a path made absolute, since the running instance resolves paths
// against its own working folder, not the sender's.
std::string ForwardedArgument(std::string_view argument);

}  // namespace mascot
