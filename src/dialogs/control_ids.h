#pragma once

class QObject;
class QWidget;

namespace mascot {

// Dialogs and their controls keep the program's numbers at the end of their
// object names, after an underscore: "okButton_1", "aboutDialog_103".
int ControlId(const QObject* control);  // -1 when the name ends in no number
QWidget* FindControl(QWidget* dialog, int id);  // null when none has it

}  // namespace mascot
