#include "dialogs/about_dialog.h"

#include <QPushButton>

#include "dialogs/credits_dialog.h"
#include "dialogs/dialog_run.h"
#include "dialogs/edit_text.h"
#include "dialogs/help_requests.h"
#include "dialogs/hyperlink_label.h"
#include "dialogs/maker_texts.h"
#include "dialogs/program_pictures.h"
#include "dialogs/program_version.h"
#include "dialogs/readme_dialog.h"
#include "files/published_mascot.h"
#include "model/mascot_document.h"
#include "ui_about_dialog.h"

namespace mascot {
namespace {

void ShowMakers(QDialog& dialog, Ui::AboutDialog& ui) {
  ui.programLine->setText(QString::fromUtf8(kAboutProgramLine));
  ui.makerNotice->setText(QString::fromUtf8(kMakerNotice));
  ui.makerNoticeMore->setText(QString::fromUtf8(kMakerNoticeMore));
  const QPixmap picture = ProgramBitmap(kBitmapAbout);
  if (!picture.isNull()) ui.picture_2->setPixmap(picture);
  // Each link goes where its text says, in the dialog's own font.
  for (auto [label, address] : {std::pair{ui.makerWebLink_1054, kMakerWebAddress},
                                std::pair{ui.mascotsWebLink_1056, kMascotsWebAddress}}) {
    label->setText(QString::fromUtf8(address));
    label->setFont(dialog.font());
    AttachHyperlink(label, address);
  }
}

void ShowMascot(Ui::AboutDialog& ui, const MascotDocument& document, const CreatorInfo& info) {
  ui.mascotName_1000->setText(QString::fromStdString(document.name));
  ui.creatorName_1007->setText(ToEditText(info.creatorName));
  ui.contactInfo_1008->setPlainText(ToEditText(info.contactInfo));
  ui.mascotInfo_1105->setPlainText(ToEditText(info.mascotInfo));
  // The format number is 16 bits: major in the high byte, minor in the low.
  ui.formatVersion_1111->setText(QString::fromStdString(FormatVersion(document.formatVersion & 0xFFFF)));
  ui.supportedVersion_1110->setText(QString::fromStdString(FormatVersion(kCurrentFormatVersion)));
}

}  // namespace

int ShowAbout(const MascotDocument* document) {
  QDialog dialog(nullptr, PlainDialogFlags());
  Ui::AboutDialog ui;
  ui.setupUi(&dialog);
  dialog.setWindowTitle(dialog.windowTitle() +
                        QString::fromStdString(VersionCaptionSuffix(CurrentProgramVersion())));
  ShowMakers(dialog, ui);

  const CreatorInfo info = document ? document->getCreatorFields() : CreatorInfo{};
  if (document) ShowMascot(ui, *document, info);
  ui.readmeButton_1021->setEnabled(!info.readme.empty());

  QObject::connect(ui.okButton_1, &QPushButton::clicked, &dialog, [&dialog] { dialog.done(kIdOk); });
  QObject::connect(ui.readmeButton_1021, &QPushButton::clicked, &dialog, [&dialog, info] {
    CreatorInfo shown = info;
    EditReadme(&dialog, &shown, true);
  });
  QObject::connect(ui.creditsButton_1019, &QPushButton::clicked, &dialog, [] { ShowCredits(); });
  QObject::connect(ui.helpButton_1020, &QPushButton::clicked, &dialog, [] { ShowHelp(kHelpFinder); });
  EnableContextHelp(&dialog);
  return RunDialog(dialog);
}

}  // namespace mascot
