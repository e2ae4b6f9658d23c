#include "dialogs/load_errors_dialog.h"

#include <QEvent>
#include <QPushButton>

#include <algorithm>

#include "dialogs/dialog_run.h"
#include "dialogs/help_requests.h"
#include "dialogs/load_error_lines.h"
#include "dialogs/window_hook.h"
#include "ui_load_errors_dialog.h"

namespace mascot {
namespace {

// Widens the list's lines once it is shown, when its client area is known.
class SidewaysExtent final : public WindowHook {
 public:
  explicit SidewaysExtent(QListWidget* list) : list_(list) { Attach(list); }

 protected:
  bool WindowProc(QEvent* event) override {
    if (event->type() == QEvent::Show && !done_) {
      done_ = true;
      apply();
    }
    return PassOn(event);
  }

 private:
  void apply() {
    int widest = 0;
    for (int row = 0; row < list_->count(); ++row)
      widest = std::max(widest, list_->fontMetrics().horizontalAdvance(list_->item(row)->text()));
    const int extent = LoadErrorsExtent(widest, list_->viewport()->width());
    if (extent == 0) return;
    // The list scrolls as far as its widest item reaches.
    const int height = list_->sizeHintForRow(0);
    for (int row = 0; row < list_->count(); ++row) list_->item(row)->setSizeHint(QSize(extent, height));
  }

  QListWidget* list_;
  bool done_ = false;
};

}  // namespace

int ShowLoadErrors(QWidget* owner, const std::string& errorText, const std::string& fileName) {
  QDialog dialog(owner ? owner->window() : nullptr, PlainDialogFlags());
  Ui::LoadErrorsDialog ui;
  ui.setupUi(&dialog);

  for (const std::string& line : SplitLoadErrors(errorText))
    ui.errorList_1094->addItem(QString::fromStdString(line));
  SidewaysExtent extent(ui.errorList_1094);
  ui.fileName_1092->setText(QString::fromStdString(fileName));
  ui.fileName_1092->setToolTip(ui.fileName_1092->text());

  QObject::connect(ui.okButton_1, &QPushButton::clicked, &dialog, [&dialog] { dialog.done(kIdOk); });
  QObject::connect(ui.cancelButton_2, &QPushButton::clicked, &dialog, [&dialog] { dialog.done(kIdCancel); });
  EnableContextHelp(&dialog);
  return RunDialog(dialog);
}

}  // namespace mascot
