#pragma once
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>

#include "editing/editor_ports.h"
#include "editing/preview_player.h"
#include "viewer/mascot_window.h"

namespace mascot {

class SoundPlayer;

// The editor's preview: the desktop mascot's own window, kept above the
// editor dialog only, with the dialog as its target. Timer 1 watches the
// dialog, timer 2 steps the frames; the rules are PreviewPlayer's.
class PreviewWindow final : public PreviewControl, private PreviewWindowPort, private MascotWindowHandler {
 public:
  struct Notifications {
    std::function<void(std::int32_t frame)> showCurrent;  // posted
    std::function<void(std::int32_t frame)> showClicked;  // sent
  };

  PreviewWindow(QWidget* dialog, SoundPlayer* sound, bool hideIfTargetAtTop, Notifications notifications);
  ~PreviewWindow() override;

  // The window, when there is one (tests look at it).
  MascotWindow* window() const { return window_.get(); }

  // -- PreviewControl --
  bool create(MascotDocument& document) override;
  void destroy() override;
  void refresh() override;
  void showFrame(std::int32_t frame) override;
  void stop() override;
  void start() override;
  void step() override;
  bool isStopped() override;
  void hide() override;
  void show() override;
  int width() override;

 private:
  // -- PreviewWindowPort --
  MascotView& view() override;
  int height() override;
  Rect targetRect() override;
  void resize(int width, int height) override;
  void showAt(const Rect& rect) override;
  void setFrameTimer(std::uint32_t milliseconds) override;
  void killFrameTimer() override;
  bool frameTimerRunning() override;
  void repaintNow() override;
  void postShowCurrent(std::int32_t frame) override;
  void sendShowClicked(std::int32_t frame) override;
  void activatePrevious() override;

  // -- MascotWindowHandler --
  void mascotPressed() override;
  void bringTargetForward() override {}
  std::optional<int> dragTop(int) override { return std::nullopt; }
  void draggingChanged(bool) override {}
  void windowMoved() override;
  void contextMenuRequested(QPoint) override {}

  void startTimers();
  void watchTarget();

  QPointer<QWidget> dialog_;
  SoundPlayer* sound_;
  bool hideIfTargetAtTop_;
  Notifications notifications_;
  std::shared_ptr<MascotDocument> document_;  // not owning: the editor's
  std::unique_ptr<MascotWindow> window_;
  std::unique_ptr<PreviewPlayer> player_;
  bool creating_ = false;
  QTimer watchTimer_;  // 1
  QTimer frameTimer_;  // 2
};

}  // namespace mascot
