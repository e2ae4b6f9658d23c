#pragma once
#include <QString>
#include <string>

class QLineEdit;
class QPlainTextEdit;

namespace mascot {

// The program keeps texts as UTF-8 with CR LF line ends; edit fields show
// them with plain line feeds.
QString ToEditText(const std::string& text);
// At most `maxLength` characters of the CR LF form (a line end is never cut
// in half); a negative length takes everything.
std::string FromEditText(const QString& text, int maxLength = -1);

// Stops typing and pasting at `limit` characters. A longer text already in
// the field stays as it is, but cannot grow.
void LimitTyping(QLineEdit* edit, int limit);
void LimitTyping(QPlainTextEdit* edit, int limit);

// How many characters of an insertion that took a text from `before` to
// `after` characters must go again to keep within `limit`.
int ExcessOfInsertion(int before, int after, int limit);

}  // namespace mascot
