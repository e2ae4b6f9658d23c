// The floor the idle mascot is measured against: a bare shaped window that
// changes its shape 10 times a second, as an animated mascot does, and asks
// the X server for the stacking list at every change, as the least a
// program following other windows must do. No tracking, no pictures.
#include <xcb/xcb.h>

#include <QApplication>
#include <QGuiApplication>
#include <QPainter>
#include <QRegion>
#include <QTimer>
#include <QWidget>
#include <cstdlib>
#include <cstring>

namespace {

constexpr int kSide = 96;
constexpr int kTickMilliseconds = 100;

xcb_atom_t Atom(xcb_connection_t* c, const char* name) {
  auto* reply = xcb_intern_atom_reply(
      c, xcb_intern_atom(c, 0, static_cast<std::uint16_t>(std::strlen(name)), name), nullptr);
  xcb_atom_t atom = XCB_ATOM_NONE;
  if (reply != nullptr) atom = reply->atom;
  std::free(reply);
  return atom;
}

class ShapedWindow final : public QWidget {
 public:
  ShapedWindow() : QWidget(nullptr, Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::Tool) {
    setWindowTitle(QStringLiteral("Shaped floor"));
    resize(kSide, kSide);
  }
  // Two shapes in turn: a disc and a square with a hole.
  void nextShape() {
    round_ = !round_;
    const QRect all(0, 0, kSide, kSide);
    setMask(round_ ? QRegion(all, QRegion::Ellipse)
                   : QRegion(all).subtracted(QRegion(all.adjusted(30, 30, -30, -30))));
    update();
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter(this).fillRect(rect(), round_ ? Qt::darkCyan : Qt::darkMagenta);
  }

 private:
  bool round_ = false;
};

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
  if (x11 == nullptr) return 1;
  xcb_connection_t* c = x11->connection();
  const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
  const xcb_atom_t stacking = Atom(c, "_NET_CLIENT_LIST_STACKING");

  ShapedWindow window;
  window.move(20, 20);
  window.show();
  QTimer tick;
  QObject::connect(&tick, &QTimer::timeout, [&] {
    window.nextShape();
    std::free(xcb_get_property_reply(c, xcb_get_property(c, 0, root, stacking, XCB_ATOM_WINDOW, 0, 65536),
                                     nullptr));
  });
  tick.start(kTickMilliseconds);
  return app.exec();
}
