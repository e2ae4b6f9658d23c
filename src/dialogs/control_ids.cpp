#include "dialogs/control_ids.h"

#include <QWidget>

namespace mascot {

int ControlId(const QObject* control) {
  if (!control) return -1;
  const QString name = control->objectName();
  const qsizetype underscore = name.lastIndexOf(u'_');
  if (underscore < 0) return -1;
  bool ok = false;
  const int id = name.sliced(underscore + 1).toInt(&ok);
  return ok && id >= 0 ? id : -1;
}

QWidget* FindControl(QWidget* dialog, int id) {
  if (!dialog) return nullptr;
  for (QWidget* control : dialog->findChildren<QWidget*>()) {
    if (ControlId(control) == id) return control;
  }
  return nullptr;
}

}  // namespace mascot
