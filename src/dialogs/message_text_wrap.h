#pragma once
#include <QSize>
#include <QString>
#include <QStringList>
#include <functional>

namespace mascot {

// Width of a run of text in pixels, in the font the box shows it in.
using TextWidth = std::function<int(const QString&)>;

struct FontLines {
  int height = 0;       // one line's height
  int lineSpacing = 0;  // height plus the font's leading
};

// The lines of a text broken to fit `limit`: a line ends before a line
// break, else at the last blank that fits, else after as much as fits.
QStringList WrapMessageText(const QString& text, int limit, const TextWidth& width);

struct MessageTextBlock {
  QStringList lines;
  QSize size;
};

// Measures a message: its own lines, 10 pixels wider than the widest; when
// that exceeds 60 percent of the screen width the text is wrapped to that
// width instead.
MessageTextBlock MeasureMessageText(const QString& text, int screenWidth, const TextWidth& width,
                                    FontLines font);

}  // namespace mascot
