#include "editor/image_browse_dialog.h"

#include <QFileDialog>
#include <QFileInfo>

#include "dialogs/message_box.h"
#include "editing/frame_image_check.h"
#include "editing/frame_row_rules.h"

namespace mascot {
namespace {

// Qt hides the patterns of the last brackets and shows the label as
// written; the letters match in either case, as they did on the old system.
constexpr char kImageFilter[] = "Image Files (*.BMP,*.PCX,*.LBM) (*.[bB][mM][pP] *.[pP][cC][xX] *.[lL][bB][mM])";

std::string& LastImageFolder() {
  static std::string folder;
  return folder;
}

class ImageBrowseDialog final : public QFileDialog {
 public:
  ImageBrowseDialog(QWidget* owner, const std::string& rowPath)
      : QFileDialog(owner, QStringLiteral("Open Image File"), QString::fromStdString(LastImageFolder())) {
    // The check at Open needs the dialog's own accept().
    setOption(QFileDialog::DontUseNativeDialog);
    setOption(QFileDialog::HideNameFilterDetails);
    setOption(QFileDialog::ReadOnly);
    setFileMode(QFileDialog::ExistingFile);
    setAcceptMode(QFileDialog::AcceptOpen);
    setNameFilter(QString::fromLatin1(kImageFilter));
    setDefaultSuffix(QStringLiteral("BMP"));
    if (!rowPath.empty()) selectFile(QString::fromStdString(ShownFileName(rowPath)));
  }

  void accept() override {
    const QStringList files = selectedFiles();
    if (files.size() == 1 && QFileInfo(files.front()).isFile()) {
      switch (CheckFrameImage(files.front().toStdString())) {
        case FrameImageFit::kFits: break;
        case FrameImageFit::kUnreadable: return;  // stays open without a word
        case FrameImageFit::kTooLarge: {
          const RowMessage warning = ImageTooLargeWarning();
          ShowMessageBox(this, warning.text, warning.caption, warning.flags);
          return;
        }
      }
    }
    QFileDialog::accept();
  }
};

}  // namespace

std::string BrowseFrameImage(QWidget* owner, const std::string& rowPath) {
  ImageBrowseDialog dialog(owner, rowPath);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  const QString chosen = dialog.selectedFiles().front();
  LastImageFolder() = QFileInfo(chosen).absolutePath().toStdString();
  return chosen.toStdString();
}

}  // namespace mascot
