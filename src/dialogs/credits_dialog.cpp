#include "dialogs/credits_dialog.h"

#include <QCoreApplication>
#include <QPushButton>

#include "dialogs/dialog_run.h"
#include "dialogs/help_requests.h"
#include "dialogs/maker_texts.h"
#include "dialogs/program_pictures.h"
#include "ui_credits_dialog.h"

namespace mascot {
namespace {

// Help topics the three buttons open.
constexpr unsigned long kHelpContextMakingMascots = 4501;
constexpr unsigned long kHelpContextImportingMascots = 4002;
constexpr unsigned long kHelpContextSharingMascots = 3501;

// Pictures sit this far inside their frames.
constexpr int kPictureInset = 4;

// Made at the first showing and kept until the application goes.
struct CreditsArt {
  QFont heading;
  QFont closing;
  QPixmap left;
  QPixmap right;
};
CreditsArt* art = nullptr;

const CreditsArt& Art(const QFont& dialogFont) {
  if (!art) {
    art = new CreditsArt{dialogFont, dialogFont, ProgramBitmap(kBitmapCreditsLeft),
                         ProgramBitmap(kBitmapCreditsRight)};
    art->heading.setPointSize(12);
    art->heading.setBold(true);
    art->closing.setPointSize(9);
    art->closing.setBold(true);
    art->closing.setItalic(true);
    qAddPostRoutine([] {
      delete art;
      art = nullptr;
    });
  }
  return *art;
}

// The picture fills the frame less the inset: one to one when it is that
// size, stretched when not.
void ShowPicture(QFrame* frame, const QPixmap& picture) {
  if (picture.isNull()) return;
  auto* label = new QLabel(frame);
  label->setScaledContents(true);
  label->setPixmap(picture);
  const QSize inner = frame->minimumSize() - QSize(2 * kPictureInset, 2 * kPictureInset);
  label->setGeometry(QRect(QPoint(kPictureInset, kPictureInset), inner));
}

void ConnectHelp(QDialog& dialog, QPushButton* button, unsigned long context) {
  QObject::connect(button, &QPushButton::clicked, &dialog, [context] { ShowHelp(kHelpContext, context); });
}

}  // namespace

int ShowCredits() {
  QDialog dialog(nullptr, PlainDialogFlags());
  Ui::CreditsDialog ui;
  ui.setupUi(&dialog);

  const CreditsArt& pictures = Art(dialog.font());
  ShowPicture(ui.leftPicture_1006, pictures.left);
  ShowPicture(ui.rightPicture_1007, pictures.right);
  ui.heading_1022->setFont(pictures.heading);
  ui.heading_1022->setText(QString::fromUtf8(kCreditsHeading));
  ui.body->setText(QString::fromUtf8(kCreditsBody));
  ui.closing_1026->setFont(pictures.closing);
  ui.closing_1026->setText(QString::fromUtf8(kCreditsClosing));

  ConnectHelp(dialog, ui.makingHelpButton_1023, kHelpContextMakingMascots);
  ConnectHelp(dialog, ui.importingHelpButton_1024, kHelpContextImportingMascots);
  ConnectHelp(dialog, ui.sharingHelpButton_1025, kHelpContextSharingMascots);
  QObject::connect(ui.doneButton_1, &QPushButton::clicked, &dialog, [&dialog] { dialog.done(kIdOk); });
  return RunDialog(dialog);
}

}  // namespace mascot
