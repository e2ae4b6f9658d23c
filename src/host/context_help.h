#pragma once
#include <QPoint>

#include <optional>
#include <string>
#include <string_view>

#include "help/help_file.h"

class QWidget;

namespace mascot {

// The pop-up help of the dialogs' controls: texts from the help file beside
// the program, keyed by the dialog's number and the control's.
class ContextHelp {
 public:
  // Loads the pop-up texts of the named file in the program's folder; the
  // flags of the start-up call have no use here. A missing or broken file
  // leaves no texts (false), and every request then shows nothing.
  bool initialise(std::string_view fileName, int flags);

  // Shows the control's text at the point; nothing when it has none.
  void request(QWidget* dialog, QWidget* control, QPoint screenPoint);

  // The text for a control: the nearest numbered widget from the control up
  // to the dialog counts, so parts of a compound control answer for it.
  std::optional<std::string> textFor(const QWidget* dialog, const QWidget* control) const;

 private:
  HelpFile file_;
};

}  // namespace mascot
