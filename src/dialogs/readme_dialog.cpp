#include "dialogs/readme_dialog.h"

#include <QPushButton>

#include "dialogs/dialog_placement.h"
#include "dialogs/dialog_run.h"
#include "dialogs/edit_text.h"
#include "dialogs/help_requests.h"
#include "ui_readme_dialog.h"

namespace mascot {

int EditReadme(QWidget* owner, CreatorInfo* info, bool readOnly) {
  if (!info) return kIdCancel;
  QDialog dialog(owner ? owner->window() : nullptr, PlainDialogFlags());
  Ui::ReadmeDialog ui;
  ui.setupUi(&dialog);

  QPlainTextEdit* text = ui.readmeText_1109;
  text->setPlainText(ToEditText(info->readme));
  if (readOnly) {
    // Still a caret to move and text to select, but nothing to type.
    text->setReadOnly(true);
    text->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
    ui.cancelButton_2->hide();
    ui.helpButton_1069->hide();
    // OK between two like spacers stands in the middle.
    const QSize spacer = ui.leadingSpacer->sizeHint();
    ui.buttonLayout->addSpacerItem(
        new QSpacerItem(spacer.width(), spacer.height(), QSizePolicy::Expanding, QSizePolicy::Minimum));
  }
  text->moveCursor(QTextCursor::Start);
  text->setFocus();

  QObject::connect(ui.okButton_1, &QPushButton::clicked, &dialog, [&] {
    if (!readOnly) info->readme = FromEditText(text->toPlainText());
    dialog.done(kIdOk);
  });
  QObject::connect(ui.cancelButton_2, &QPushButton::clicked, &dialog, [&dialog] { dialog.done(kIdCancel); });
  // "Help" is there to be asked about through the context help, not pressed.
  EnableContextHelp(&dialog);
  CentreOnOwner(&dialog, owner);
  return RunDialog(dialog);
}

}  // namespace mascot
