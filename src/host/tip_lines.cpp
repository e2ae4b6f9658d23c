#include "host/tip_lines.h"

#include "dialogs/maker_texts.h"

namespace mascot {

std::string CreatorFirstLine(const std::string& creatorInfo) {
  std::size_t end = creatorInfo.find('\r');
  if (end == std::string::npos) end = creatorInfo.find('\n');
  return creatorInfo.substr(0, end);
}

std::vector<TipLine> BuildTipLines(const std::string& name, const std::string& creatorInfo) {
  std::vector<TipLine> lines(4);
  lines[0].text = name;
  if (!creatorInfo.empty()) lines[1].text = "by " + CreatorFirstLine(creatorInfo);
  lines[2].text = kMakerWebAddress;
  lines[2].url = kMakerWebAddress;
  lines[3].text = kTipAboutLine;
  lines[3].italic = true;
  return lines;
}

int FirstLinkAt(std::span<const TipLine> lines, int x, int y) {
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const TipLine& line = lines[i];
    if (line.url.empty()) continue;
    const Rect& r = line.rect;
    if (x >= r.left && x < r.right && y >= r.top && y < r.bottom) return static_cast<int>(i);
  }
  return -1;
}

}  // namespace mascot
