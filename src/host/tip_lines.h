#pragma once
#include <span>
#include <string>
#include <vector>

#include "imaging/region.h"

namespace mascot {

// One line of the hover tip, in display order.
struct TipLine {
  std::string text;
  std::string url;  // empty, or the address a click on the line opens
  Rect rect;        // in tip client coordinates, for hit tests
  bool visited = false;
  bool italic = false;
};

inline constexpr char kTipAboutLine[] = "see \"About this Mascot\" for more info";

// What follows "by ": the creator info up to its first CR, or, without one,
// up to its first LF.
std::string CreatorFirstLine(const std::string& creatorInfo);

// The four lines: the name, "by " and the creator, the maker's address (a
// link), and the pointer to the About box. Rects are left empty.
std::vector<TipLine> BuildTipLines(const std::string& name, const std::string& creatorInfo);

// The first line with a url whose rect holds the point (left and top
// inclusive, right and bottom exclusive); -1 for none.
int FirstLinkAt(std::span<const TipLine> lines, int x, int y);

}  // namespace mascot
