#include "dialogs/creator_info_dialog.h"

#include <QPushButton>

#include "dialogs/dialog_run.h"
#include "dialogs/edit_text.h"
#include "dialogs/help_requests.h"
#include "dialogs/readme_dialog.h"
#include "ui_creator_info_dialog.h"

namespace mascot {
namespace {

constexpr int kNameLimit = 90;
constexpr int kContactLimit = 90;
constexpr int kMascotInfoLimit = 128;
// What OK takes of each field at most.
constexpr int kReadLimit = 255;

}  // namespace

int EditCreatorInfo(QWidget* owner, CreatorInfo* info) {
  if (!info) return kIdCancel;
  QDialog dialog(owner ? owner->window() : nullptr, PlainDialogFlags());
  Ui::CreatorInfoDialog ui;
  ui.setupUi(&dialog);

  ui.creatorName_1007->setText(ToEditText(info->creatorName));
  ui.contactInfo_1008->setPlainText(ToEditText(info->contactInfo));
  ui.mascotInfo_1105->setPlainText(ToEditText(info->mascotInfo));
  LimitTyping(ui.creatorName_1007, kNameLimit);
  LimitTyping(ui.contactInfo_1008, kContactLimit);
  LimitTyping(ui.mascotInfo_1105, kMascotInfoLimit);

  QObject::connect(ui.readmeButton_1019, &QPushButton::clicked, &dialog,
                   [&dialog, info] { EditReadme(&dialog, info, false); });
  QObject::connect(ui.helpButton_1069, &QPushButton::clicked, &dialog,
                   [] { ShowHelp(kHelpContext, kHelpContextCreatorInfo); });
  QObject::connect(ui.okButton_1, &QPushButton::clicked, &dialog, [&] {
    info->creatorName = FromEditText(ui.creatorName_1007->text(), kReadLimit);
    info->contactInfo = FromEditText(ui.contactInfo_1008->toPlainText(), kReadLimit);
    info->mascotInfo = FromEditText(ui.mascotInfo_1105->toPlainText(), kReadLimit);
    dialog.done(kIdOk);
  });
  QObject::connect(ui.cancelButton_2, &QPushButton::clicked, &dialog, [&dialog] { dialog.done(kIdCancel); });
  EnableContextHelp(&dialog);
  return RunDialog(dialog);
}

}  // namespace mascot
