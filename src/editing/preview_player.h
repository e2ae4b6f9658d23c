#pragma once
#include <cstdint>
#include <optional>
#include <utility>

#include "imaging/region.h"
#include "model/mascot_document.h"
#include "model/mascot_view.h"

// The preview's rules: it plays the working document as the desktop mascot
// would, on the editor dialog as its target. The window, its timers and its
// messages to the dialog are the desktop layer's, behind PreviewWindowPort.
namespace mascot {

class SoundPlayer;

class PreviewWindowPort {
 public:
  virtual ~PreviewWindowPort() = default;
  virtual MascotView& view() = 0;
  virtual int width() = 0;
  virtual int height() = 0;
  // The editor dialog's frame on the screen.
  virtual Rect targetRect() = 0;
  virtual void hide() = 0;
  // Changes the size only: no move, no restacking, no activation.
  virtual void resize(int width, int height) = 0;
  // Moves and sizes the window (above the dialog only), shows it without
  // activating it.
  virtual void showAt(const Rect& rect) = 0;
  // Timer 2.
  virtual void setFrameTimer(std::uint32_t milliseconds) = 0;
  virtual void killFrameTimer() = 0;
  virtual bool frameTimerRunning() = 0;
  // Invalidate without erasing and paint at once.
  virtual void repaintNow() = 0;
  // To the dialog: the frame shown after a step or jump (posted), and the
  // frame after a click started the click animation (sent).
  virtual void postShowCurrent(std::int32_t frame) = 0;
  virtual void sendShowClicked(std::int32_t frame) = 0;
  // Activates the window that was active before the preview, or the dialog.
  virtual void activatePrevious() = 0;
};

class PreviewPlayer {
 public:
  static constexpr int kWatchMilliseconds = 101;
  static constexpr int kFirstFrameMilliseconds = 1001;
  static constexpr int kEmptySide = 50;

  PreviewPlayer(MascotDocument* document, PreviewWindowPort& window, SoundPlayer* sound,
                bool hideIfTargetAtTop);

  // Stopped survives from one editor run to the next, for the process.
  static bool IsStopped();
  static void SetStopped(bool stopped);

  // The window's size for the document: its largest frame, 50 for a side
  // that is 0.
  static FrameSize WindowSize(const MascotDocument* document);
  // The top-left corner for the window on the target (the desktop mascot's
  // rule); none when the window must be hidden.
  static std::optional<std::pair<int, int>> Placement(const MascotDocument* document, int width, int height,
                                                      const Rect& target, bool hideIfTargetAtTop);

  // After creation: the current frame's shape (forced), the placement.
  void created();
  void refresh();
  void showFrame(std::int32_t frame);
  void stop();
  void start();
  void step();
  // Timer 2.
  void frameTick();
  // Timer 1, and the window having moved: places again when the target's
  // rectangle changed; true when it did.
  bool watchTarget();
  void click();
  void place();

 private:
  MascotDocument* document_;
  PreviewWindowPort& window_;
  SoundPlayer* sound_;
  bool hideIfTargetAtTop_;
  Rect target_{};
};

}  // namespace mascot
