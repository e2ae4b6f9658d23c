#include "dialogs/control_map_hook.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QSaveFile>
#include <QTimer>
#include <QWidget>

#include <memory>

#include "dialogs/control_ids.h"

namespace mascot {
namespace {

constexpr int kRowDialogId = 136;
constexpr int kRowNumberId = 1025;
constexpr int kRefreshMilliseconds = 100;

// The frame number a list row shows on its number button ("12."), 0 for a
// control outside the list.
int FrameNumberOf(const QWidget* control) {
  for (const QWidget* w = control; w; w = w->parentWidget()) {
    if (ControlId(w) != kRowDialogId) continue;
    for (const auto* button : w->findChildren<QAbstractButton*>())
      if (ControlId(button) == kRowNumberId) return button->text().chopped(1).toInt();
  }
  return 0;
}

QByteArray ControlMap(QWidget* dialog) {
  QByteArray map;
  for (QWidget* control : dialog->findChildren<QWidget*>()) {
    const int id = ControlId(control);
    if (id < 0 || !control->isVisible()) continue;
    const QPoint at = control->mapToGlobal(QPoint(0, 0));
    map += QByteArray::number(id) + ' ' + QByteArray::number(at.x()) + ' ' + QByteArray::number(at.y()) + ' ' +
           QByteArray::number(control->width()) + ' ' + QByteArray::number(control->height()) + ' ' +
           QByteArray::number(FrameNumberOf(control)) + '\n';
  }
  return map;
}

}  // namespace

void PublishControlMapForTests() {
  const QString path = qEnvironmentVariable("MASCOT_TEST_CONTROL_MAP");
  if (path.isEmpty() || !qApp) return;
  auto* timer = new QTimer(qApp);
  auto last = std::make_shared<QByteArray>();
  QObject::connect(timer, &QTimer::timeout, qApp, [path, last] {
    QWidget* dialog = QApplication::activeModalWidget();
    const QByteArray map = dialog ? ControlMap(dialog) : QByteArray();
    if (map == *last) return;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return;
    file.write(map);
    if (file.commit()) *last = map;
  });
  timer->start(kRefreshMilliseconds);
}

}  // namespace mascot
