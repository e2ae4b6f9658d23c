#include "dialogs/help_requests.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QCursor>
#include <QKeyEvent>
#include <QWidget>

#include <utility>

namespace mascot {
namespace {

HelpServices& Services() {
  static HelpServices services;
  return services;
}

// Watches every control of one dialog; the dialog owns it.
class ContextHelpFilter final : public QObject {
 public:
  explicit ContextHelpFilter(QWidget* dialog) : QObject(dialog), dialog_(dialog) {}

  bool eventFilter(QObject* watched, QEvent* event) override {
    auto* control = qobject_cast<QWidget*>(watched);
    if (!control) return false;
    if (event->type() == QEvent::ContextMenu) {
      RequestContextHelp(dialog_, control, static_cast<QContextMenuEvent*>(event)->globalPos());
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
