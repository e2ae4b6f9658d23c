#pragma once
#include <QCursor>
#include <QFont>
#include <QTimer>
#include <memory>
#include <string>
#include <vector>

#include "dialogs/window_hook.h"
#include "host/tip_desktop.h"
#include "host/tip_lines.h"

class QPainter;
class QWidget;

namespace mascot {

// The small window that pops up when the pointer rests on the mascot for two
// seconds: the mascot's name and creator, a link to the maker's web page and
// a pointer to the About box. One for the program. It watches the mascot
// window's mouse events through its hook and owns a top-most popup window of
// its own class, made on first use.
class MascotToolTip final : public WindowHook {
 public:
  static constexpr char kWindowClass[] = "Mascot Tool Tip";
  static constexpr int kRestTimerMs = 2000;   // timer 1: the rest check, keeps running
  static constexpr int kLeaveTimerMs = 1000;  // timer 2: has the pointer left the tip?

  // Without a desktop, the real pointer, screens and browser.
  explicit MascotToolTip(std::unique_ptr<TipDesktop> desktop = nullptr);
  ~MascotToolTip() override;

  // After a mascot was loaded or edited: creates the tip window and hooks
  // the mascot window on first use, then rebuilds and lays out the lines and
  // resizes the tip without moving it. False (and nothing shown) when there
  // is no mascot window to hook.
  bool SetMascotTip(QWidget* mascotWindow, const std::string& name, const std::string& creatorInfo);

  QWidget* tipWindow() const;
  const std::vector<TipLine>& lines() const { return lines_; }
  bool isResting() const { return restTimer_.isActive(); }

  // What timers 1 and 2 do when they expire.
  void restTimerElapsed();
  void leaveTimerElapsed();

 protected:
  bool WindowProc(QEvent* event) override;

 private:
  class TipWindow;
  friend class TipWindow;

  bool createTipWindow(QWidget* mascotWindow);
  void hook(QWidget* mascotWindow);
  void layOut();
  void startRest(QPoint globalPosition);
  void hideTip();
  const QFont& measuringFont(const TipLine& line) const;

  // The tip window's own events, in its client coordinates (inside the
  // border).
  void paintTip(QPainter& painter, const QRect& client);
  void pointerOverTip(QPoint client);
  void pressOnTip(QPoint client);

  std::unique_ptr<TipDesktop> desktop_;
  QCursor linkCursor_;
  QCursor arrowCursor_{Qt::ArrowCursor};
  std::unique_ptr<TipWindow> tipWindow_;
  QPoint rest_;
  QPoint shownAt_;
  QFont regularFont_;
  QFont underlineFont_;
  QFont italicFont_;
  std::vector<TipLine> lines_;
  QTimer restTimer_;
  QTimer leaveTimer_;
};

}  // namespace mascot
