#include "dialogs/edit_text.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextCursor>

#include <algorithm>
#include <memory>

namespace mascot {

QString ToEditText(const std::string& text) {
  QString shown = QString::fromStdString(text);
  shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  shown.replace(u'\r', u'\n');
  return shown;
}

std::string FromEditText(const QString& text, int maxLength) {
  QString kept = text;
  kept.replace(u'\n', QStringLiteral("\r\n"));
  if (maxLength >= 0 && kept.size() > maxLength) {
    kept.truncate(maxLength);
    if (kept.endsWith(u'\r') || (!kept.isEmpty() && kept.back().isHighSurrogate())) kept.chop(1);
  }
  return kept.toStdString();
}

int ExcessOfInsertion(int before, int after, int limit) {
  if (after <= limit || after <= before) return 0;
  return std::min(after - limit, after - before);
}

void LimitTyping(QLineEdit* edit, int limit) {
  auto length = std::make_shared<int>(static_cast<int>(edit->text().size()));
  QObject::connect(edit, &QLineEdit::textChanged, edit, [edit, limit, length](const QString& text) {
    const int cut = ExcessOfInsertion(*length, static_cast<int>(text.size()), limit);
    if (cut > 0) {
      // The insertion ends at the cursor; its tail goes.
      const int end = std::max(static_cast<int>(edit->cursorPosition()), cut);
      QString kept = text;
      kept.remove(end - cut, cut);
      edit->setText(kept);  // comes back here with nothing to cut
      edit->setCursorPosition(end - cut);
      return;
    }
    *length = static_cast<int>(text.size());
  });
}

void LimitTyping(QPlainTextEdit* edit, int limit) {
  auto length = std::make_shared<int>(static_cast<int>(edit->toPlainText().size()));
  QObject::connect(edit, &QPlainTextEdit::textChanged, edit, [edit, limit, length] {
    const int now = static_cast<int>(edit->toPlainText().size());
    const int cut = ExcessOfInsertion(*length, now, limit);
    if (cut > 0) {
      QTextCursor cursor = edit->textCursor();
      const int end = std::max(cursor.position(), cut);
      cursor.setPosition(end - cut);
      cursor.setPosition(end, QTextCursor::KeepAnchor);
      cursor.removeSelectedText();  // comes back here with nothing to cut
      return;
    }
    *length = now;
  });
}

}  // namespace mascot
