#pragma once
#include <QEvent>

namespace mascot {

// Mouse messages the icon reports.
inline constexpr int kTrayLeftButtonUp = 0x202;
inline constexpr int kTrayLeftDoubleClick = 0x203;
inline constexpr int kTrayRightButtonUp = 0x205;
inline constexpr int kTrayMiddleButtonUp = 0x208;

// A mouse action on the tray icon, posted to the icon's window. Its type is
// made from the callback message (an application message, 0x8000 up to
// 0xBFFF), so that two icons with different messages stay apart.
class TrayCallbackEvent final : public QEvent {
 public:
  TrayCallbackEvent(int callbackMessage, int id, int mouseMessage)
      : QEvent(TypeFor(callbackMessage)), id_(id), mouseMessage_(mouseMessage) {}

  // QEvent::None for a message outside the application range.
  static QEvent::Type TypeFor(int callbackMessage) {
    if (callbackMessage < 0x8000 || callbackMessage > 0xBFFF) return QEvent::None;
    return static_cast<QEvent::Type>(QEvent::User + (callbackMessage - 0x8000));
  }

  int id() const { return id_; }
  int mouseMessage() const { return mouseMessage_; }

 private:
  int id_;
  int mouseMessage_;
};

// A tray host took over the notification area (again): icons shown before
// are gone there and must be added anew.
class TaskbarCreatedEvent final : public QEvent {
 public:
  TaskbarCreatedEvent() : QEvent(Type()) {}
  static QEvent::Type Type() {
    static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
  }
};

}  // namespace mascot
