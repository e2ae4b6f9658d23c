#include "dialogs/message_text_wrap.h"

#include <algorithm>

namespace mascot {
namespace {

// How many characters from `from` on fit into `limit` (never half of a
// surrogate pair).
int FittingCount(const QString& text, int from, int limit, const TextWidth& width) {
  int fits = 0;
  int tooMany = static_cast<int>(text.size()) - from + 1;
  while (tooMany - fits > 1) {
    const int middle = fits + (tooMany - fits) / 2;
    if (width(text.mid(from, middle)) <= limit)
      fits = middle;
    else
      tooMany = middle;
  }
  if (fits > 0 && from + fits < text.size() && text[from + fits - 1].isHighSurrogate()) --fits;
  return fits;
}

// Length of the line break at i (CR LF, or a lone LF), 0 when there is none.
int LineBreakAt(const QString& text, int i, int end) {
  if (text[i] == u'\r' && i + 1 < end && text[i + 1] == u'\n') return 2;
  if (text[i] == u'\n') return 1;
  return 0;
}

int WidestLine(const QStringList& lines, const TextWidth& width) {
  int widest = 0;
  for (const QString& line : lines) widest = std::max(widest, width(line));
  return widest;
}

}  // namespace

QStringList WrapMessageText(const QString& text, int limit, const TextWidth& width) {
  QStringList lines;
  const int length = static_cast<int>(text.size());
  int pos = 0;
  while (pos < length) {
    int fits = FittingCount(text, pos, limit, width);
    const int end = pos + fits;

    int breakAt = -1;
    int breakLength = 0;
    for (int i = pos; i < end && breakAt < 0; ++i) {
      breakLength = LineBreakAt(text, i, end);
      if (breakLength > 0) breakAt = i;
    }
    if (breakAt >= 0) {
      lines << text.mid(pos, breakAt - pos);
      pos = breakAt + breakLength;
      continue;
    }

    if (end < length) {
      int blank = end - 1;
      while (blank >= pos && !text[blank].isSpace()) --blank;
      if (blank >= pos) {
        lines << text.mid(pos, blank - pos);
        pos = blank + 1;
        continue;
      }
    }

    // A character wider than the limit still makes a line of its own.
    if (fits == 0) fits = text[pos].isHighSurrogate() && pos + 1 < length ? 2 : 1;
    lines << text.mid(pos, fits);
    pos += fits;
  }
  return lines;
}

MessageTextBlock MeasureMessageText(const QString& text, int screenWidth, const TextWidth& width,
                                    FontLines font) {
  const int limit = screenWidth * 60 / 100;
  MessageTextBlock block;
  block.lines = QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")).split(u'\n');
  const int oneLineWidth = WidestLine(block.lines, width) + 10;
  if (oneLineWidth > limit) {
    block.lines = WrapMessageText(text, limit, width);
    block.size = QSize(WidestLine(block.lines, width),
                       static_cast<int>(block.lines.size()) * font.lineSpacing);
  } else {
    const int count = static_cast<int>(block.lines.size());
    block.size = QSize(oneLineWidth, count == 1 ? font.height : count * font.lineSpacing);
  }
  return block;
}

}  // namespace mascot
