#pragma once
#include <QPoint>
#include <QRect>
#include <QString>

namespace mascot {

// What the hover tip asks of the desktop: the pointer, the work area and the
// web browser. Tests fake the pointer and the browser.
class TipDesktop {
 public:
  virtual ~TipDesktop() = default;
  virtual QPoint pointerPosition() const;
  // The buttons held now.
  virtual Qt::MouseButtons pointerButtons() const;
  // The work area of the screen under the point (the primary screen's when
  // the point is on none).
  virtual QRect workAreaAt(QPoint point) const;
  virtual bool openUrl(const QString& url);
};

}  // namespace mascot
