#include "host/context_help.h"

#include <QString>
#include <QWhatsThis>
#include <QWidget>

#include "dialogs/control_ids.h"
#include "help/help_html.h"
#include "storage/mascot_library.h"

namespace mascot {

bool ContextHelp::initialise(std::string_view fileName, int /*flags*/) {
  return file_.read(ProgramFilePath(fileName));
}

std::optional<std::string> ContextHelp::textFor(const QWidget* dialog, const QWidget* control) const {
  const int dialogId = ControlId(dialog);
  if (dialogId < 0) return std::nullopt;
  for (const QWidget* widget = control; widget && widget != dialog; widget = widget->parentWidget()) {
    const int id = ControlId(widget);
    if (id < 0) continue;
    if (const std::string* text = file_.popupText(dialogId, id)) return *text;
    return std::nullopt;
  }
  return std::nullopt;
}

void ContextHelp::request(QWidget* dialog, QWidget* control, QPoint screenPoint) {
  const auto text = textFor(dialog, control);
  if (!text) return;
  // Paragraphs of plain text, as rich text so the pop-up keeps them apart.
  QString html;
  std::size_t start = 0;
  while (start <= text->size()) {
    std::size_t end = text->find('\n', start);
    if (end == std::string::npos) end = text->size();
    html += "<p>" + QString::fromStdString(EscapeHtml(text->substr(start, end - start))) + "</p>";
    start = end + 1;
  }
  QWhatsThis::showText(screenPoint, html, dialog);
}

}  // namespace mascot
