#include "dialogs/help_requests.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QContextMenuEvent>
#include <QCursor>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QWidget>

#include <memory>
#include <utility>

namespace mascot {
namespace {

HelpServices& Services() {
  static HelpServices services;
  return services;
}

// The edit menu of a text field (Cut, Copy, Paste, Select All...) with the
// field's pop-up help as its last item; false for anything but a text
// field. The edits of spin boxes keep to the pop-up help.
bool ShowTextFieldMenu(QWidget* dialog, QWidget* control, QPoint at, QPoint globalAt) {
  std::unique_ptr<QMenu> menu;
  QWidget* field = control;
  if (auto* line = qobject_cast<QLineEdit*>(control); line && !qobject_cast<QAbstractSpinBox*>(line->parentWidget())) {
    menu.reset(line->createStandardContextMenu());
  } else if (auto* plain = qobject_cast<QPlainTextEdit*>(control->parentWidget()); plain && plain->viewport() == control) {
    menu.reset(plain->createStandardContextMenu(at));
    field = plain;
  } else if (auto* rich = qobject_cast<QTextEdit*>(control->parentWidget()); rich && rich->viewport() == control) {
    menu.reset(rich->createStandardContextMenu(at));
    field = rich;
  }
  if (!menu) return false;
  menu->addSeparator();
  QObject::connect(menu->addAction(QObject::tr("What's This?")), &QAction::triggered, field,
                   [dialog, field, globalAt] { RequestContextHelp(dialog, field, globalAt); });
  menu->exec(globalAt);
  return true;
}

// Watches every control of one dialog; the dialog owns it.
class ContextHelpFilter final : public QObject {
 public:
  explicit ContextHelpFilter(QWidget* dialog) : QObject(dialog), dialog_(dialog) {}

  bool eventFilter(QObject* watched, QEvent* event) override {
    auto* control = qobject_cast<QWidget*>(watched);
    if (!control) return false;
    if (event->type() == QEvent::ContextMenu) {
      const auto* menuEvent = static_cast<QContextMenuEvent*>(event);
      if (!ShowTextFieldMenu(dialog_, control, menuEvent->pos(), menuEvent->globalPos()))
        RequestContextHelp(dialog_, control, menuEvent->globalPos());
      return true;
    }
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_F1) {
      // The control under the pointer, else the one with the focus.
      QWidget* about = QApplication::widgetAt(QCursor::pos());
      if (!about || !dialog_->isAncestorOf(about)) about = control;
      RequestContextHelp(dialog_, about, QCursor::pos());
      return true;
    }
    return false;
  }

 private:
  QWidget* dialog_;
};

}  // namespace

void SetHelpServices(HelpServices services) { Services() = std::move(services); }

void ShowHelp(unsigned command, unsigned long data) {
  if (Services().showHelp) Services().showHelp(command, data);
}

void RequestContextHelp(QWidget* dialog, QWidget* control, QPoint screenPoint) {
  if (Services().contextHelp) Services().contextHelp(dialog, control, screenPoint);
}

void EnableContextHelp(QWidget* dialog) {
  auto* filter = new ContextHelpFilter(dialog);
  dialog->installEventFilter(filter);
  for (QWidget* control : dialog->findChildren<QWidget*>()) control->installEventFilter(filter);
}

}  // namespace mascot
