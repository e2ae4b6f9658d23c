#include "dialogs/progress_window.h"

#include <QDialog>
#include <QEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QScreen>
#include <QVBoxLayout>

#include <memory>

#include "dialogs/control_ids.h"
#include "dialogs/program_pictures.h"
#include "dialogs/splash_window.h"
#include "dialogs/window_hook.h"

namespace mascot {
namespace {

constexpr char kCaption[] = "Tovra Mascot Progress";
constexpr char kWorking[] = "Working...";
constexpr int kDetailWidth = 280;  // room for the caption and a file name

// Events after which the frame may have become known: the frame comes
// without an event of its own, but the first paint follows it.
bool Settles(QEvent::Type type) {
  return type == QEvent::Move || type == QEvent::Paint || type == QEvent::UpdateRequest ||
         type == QEvent::WindowActivate;
}

// The window manager frames a window only after it is shown, and until then
// a move places the window's inside. Once the frame is known, this puts the
// frame where it was meant to be, once, so a later drag by the user stands.
class FramePlacement final : public WindowHook {
 public:
  explicit FramePlacement(QPoint wanted) : wanted_(wanted) {}

 protected:
  bool WindowProc(QEvent* event) override {
    auto* widget = qobject_cast<QWidget*>(window());
    if (widget && Settles(event->type()) && widget->frameGeometry() != widget->geometry()) {
      const QPoint wanted = wanted_;
      Attach(nullptr);
      if (widget->frameGeometry().topLeft() != wanted) widget->move(wanted);
      return false;
    }
    return PassOn(event);
  }

 private:
  QPoint wanted_;
};

class ProgressDialog final : public QDialog {
 public:
  using QDialog::QDialog;
  void showAt(QPoint place) {
    move(place);
    framePlacement_ = std::make_unique<FramePlacement>(place);
    framePlacement_->Attach(this);
    show();
  }

 private:
  std::unique_ptr<FramePlacement> framePlacement_;
};

ProgressDialog* Build(QWidget* owner) {
  auto* dialog = new ProgressDialog(owner);
  dialog->setObjectName(QStringLiteral("progressDialog_%1").arg(kProgressDialogId));
  dialog->setWindowTitle(QString::fromUtf8(kCaption));
  dialog->setModal(false);
  dialog->setAttribute(Qt::WA_ShowWithoutActivating);

  auto* emblem = new QLabel(dialog);
  emblem->setPixmap(ProgramIcon(kIconViewer).pixmap(32, 32));
  emblem->setAlignment(Qt::AlignTop);

  auto* title = new QLabel(dialog);
  title->setObjectName(QStringLiteral("titleLabel_%1").arg(kProgressTitleId));
  title->setTextFormat(Qt::PlainText);
  QFont bold = title->font();
  bold.setBold(true);
  title->setFont(bold);

  auto* detail = new QLabel(dialog);
  detail->setObjectName(QStringLiteral("detailLabel_%1").arg(kProgressDetailId));
  detail->setTextFormat(Qt::PlainText);
  detail->setAlignment(Qt::AlignCenter);
  detail->setWordWrap(true);
  // Room for two lines from the start, so a longer detail does not resize
  // the window while it shows.
  detail->setMinimumHeight(detail->fontMetrics().lineSpacing() * 2);
  detail->setMinimumWidth(kDetailWidth);

  auto* texts = new QVBoxLayout;
  texts->addWidget(title);
  texts->addWidget(detail);
  auto* row = new QHBoxLayout(dialog);
  row->addWidget(emblem);
  row->addLayout(texts, 1);
  row->setSizeConstraint(QLayout::SetFixedSize);
  return dialog;
}

QPoint StartPosition(QDialog* dialog, QWidget* owner) {
  QScreen* screen = owner && owner->screen() ? owner->screen() : QGuiApplication::primaryScreen();
  QRect place(QPoint(0, 0), dialog->sizeHint());
  if (screen) place.moveCenter(screen->availableGeometry().center());
  // Under the splash, so that the two read as one picture.
  const QRect splash = SplashScreenRect();
  if (!splash.isEmpty()) place.moveTop(splash.y() + splash.height() + 1);
  return place.topLeft();
}

QPointer<QDialog>& Current() {
  static QPointer<QDialog> window;
  return window;
}

void SetLine(int id, std::string_view text) {
  QDialog* window = Current();
  if (!window) return;
  auto* label = qobject_cast<QLabel*>(FindControl(window, id));
  if (!label) return;
  label->setText(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
  // Long operations run without the event loop: draw the text now.
  if (label->isVisible()) label->repaint();
}

}  // namespace

void OpenProgress(QWidget* owner) {
  if (!Current()) {
    ProgressDialog* dialog = Build(owner);
    dialog->showAt(StartPosition(dialog, owner));
    Current() = dialog;
  }
  SetLine(kProgressTitleId, kWorking);
}

void SetProgressTitle(std::string_view text) { SetLine(kProgressTitleId, text); }

void SetProgressDetail(std::string_view text) { SetLine(kProgressDetailId, text); }

void CloseProgress() { delete Current().data(); }

QWidget* CurrentProgressWindow() { return Current(); }

}  // namespace mascot
