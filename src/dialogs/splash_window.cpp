#include "dialogs/splash_window.h"

#include <QGuiApplication>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QWidget>

#include "toolkit/bitmap_to_image.h"
#include "dialogs/program_pictures.h"
#include "imaging/image_file_loader.h"

namespace mascot {
namespace {

// A one-pixel frame round the picture: the window is the picture's size
// plus two each way, and the picture sits at the origin inside the frame.
class SplashWindow final : public QWidget {
 public:
  SplashWindow(QImage picture, int milliseconds)
      : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
        picture_(std::move(picture)) {
    setObjectName(QStringLiteral("splashDialog_%1").arg(kSplashDialogId));
    setAttribute(Qt::WA_DeleteOnClose);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFixedSize(picture_.width() + 2, picture_.height() + 2);
    timer_.setSingleShot(true);
    timer_.callOnTimeout(this, &QWidget::close);
    timer_.start(milliseconds);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.setPen(QColor(64, 64, 64));
    p.setBrush(Qt::NoBrush);
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    p.drawImage(QPoint(1, 1), picture_);
  }

  void mouseReleaseEvent(QMouseEvent* event) override {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) close();
  }

 private:
  QImage picture_;
  QTimer timer_;
};

QPointer<SplashWindow>& Current() {
  static QPointer<SplashWindow> splash;
  return splash;
}

}  // namespace

bool ShowSplash(int milliseconds) {
  CloseSplash();
  const SharedHandle<Bitmap> bitmap = LoadImageFile(kBitmapSplash);
  QScreen* screen = QGuiApplication::primaryScreen();
  if (!bitmap || !screen) return false;
  QImage picture = BitmapToImage(*bitmap);
  if (picture.isNull()) return false;

  auto* splash = new SplashWindow(std::move(picture), milliseconds <= 0 ? kDefaultSplashMilliseconds : milliseconds);
  QRect place(QPoint(0, 0), splash->size());
  place.moveCenter(screen->geometry().center());
  splash->move(place.topLeft());
  splash->show();
  Current() = splash;
  return true;
}

QRect SplashScreenRect() {
  SplashWindow* splash = Current();
  if (!splash || !splash->isVisible()) return {};
  return splash->frameGeometry();
}

void CloseSplash() {
  // Deleted now rather than later, so that no rectangle lingers.
  delete Current().data();
}

}  // namespace mascot
