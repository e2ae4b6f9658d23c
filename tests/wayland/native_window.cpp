// A window of another application for the Wayland tests: a plain coloured
// window with a title, on whatever platform Qt is told to use
// (QT_QPA_PLATFORM=wayland makes it a native Wayland window).
//   native_window TITLE COLOUR WIDTH HEIGHT
// It runs until it is closed or stopped.
#include <QApplication>
#include <QColor>
#include <QPalette>
#include <QWidget>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc != 5) return 2;
  QWidget window;
  window.setWindowTitle(QString::fromUtf8(argv[1]));
  QPalette palette = window.palette();
  palette.setColor(QPalette::Window, QColor(QString::fromLatin1(argv[2])));
  window.setPalette(palette);
  window.setAutoFillBackground(true);
  window.resize(QString::fromLatin1(argv[3]).toInt(), QString::fromLatin1(argv[4]).toInt());
  window.show();
  return app.exec();
}
