#pragma once
#include <QPoint>
#include <QWidget>

#include <memory>
#include <optional>

#include "model/mascot_document.h"
#include "model/mascot_view.h"
#include "viewer/bitmap_image.h"

namespace mascot {

// What the mascot window asks of the program around it.
class MascotWindowHandler {
 public:
  virtual ~MascotWindowHandler() = default;
  // A left press on the mascot: the click animation (the handler restarts
  // the frame timer when it started).
  virtual void mascotPressed() = 0;
  // Raise the window the mascot sits on, so it keeps the focus it had.
  virtual void bringTargetForward() = 0;
  // The top the mascot keeps while dragged, for its present height; none
  // when nothing is installed (the drag is then free).
  virtual std::optional<int> dragTop(int windowHeight) = 0;
  virtual void draggingChanged(bool dragging) = 0;
  virtual void windowMoved() = 0;
  virtual void contextMenuRequested(QPoint globalPosition) = 0;
};

// The shaped, always-on-top window that shows the current frame. It never
// takes the focus; its shape follows the frames in two steps (the union at
// the frame change, the new shape at the paint).
class MascotWindow final : public QWidget {
 public:
  static constexpr int kDefaultSide = 50;
  static constexpr int kInitialX = 10;
  static constexpr int kInitialY = 100;

  explicit MascotWindow(MascotWindowHandler* handler = nullptr);
  // A window kept above `owner` only (not above other programs), that a
  // press never drags: the editor's preview of the same mascot.
  MascotWindow(MascotWindowHandler* handler, QWidget* owner);
  ~MascotWindow() override;

  void setHandler(MascotWindowHandler* handler) { handler_ = handler; }
  // The document painted; null paints black.
  void setDocument(std::shared_ptr<MascotDocument> document);
  const std::shared_ptr<MascotDocument>& document() const { return document_; }

  // The window as the document drives it.
  MascotView& view();

  // After a document was installed: its first shape, and the size of its
  // largest frame (50 for a missing side), without moving.
  void installDocumentShape();
  // Removes the shape (before the window goes away).
  void clearShape();

  bool isDragging() const { return dragging_; }
  // Ends a drag: snaps to the target's top edge and raises the target.
  void exitMove();

  static QSize SizeFor(const MascotDocument* document);

 protected:
  bool event(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void moveEvent(QMoveEvent* event) override;

 private:
  class View;
  bool applyShape(const Region& shape);
  void drawFrame(class QPainter& painter);
  QPoint constrained(QPoint position);
  void setDragging(bool dragging);
  void setUp();

  MascotWindowHandler* handler_;
  std::shared_ptr<MascotDocument> document_;
  std::unique_ptr<View> view_;
  BitmapImageCache images_;
  bool draggable_ = true;
  bool dragging_ = false;
  bool exitMovePosted_ = false;
  QPoint pressGlobal_;
  QPoint pressWindow_;
};

}  // namespace mascot
