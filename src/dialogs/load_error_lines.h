#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace mascot {

// The lines of a load error text, one per line feed, each without the white
// space around it (so CR LF endings lose their CR); empty lines are dropped.
std::vector<std::string> SplitLoadErrors(std::string_view errorText);

// The width to give a list whose widest line is `widestLine` pixels and
// whose client area is `clientWidth` wide: half as much again as the line
// when it does not fit, else 0 (no sideways scrolling).
int LoadErrorsExtent(int widestLine, int clientWidth);

}  // namespace mascot
