#pragma once
#include <functional>
#include <string>
#include <utility>

class QWidget;

namespace mascot {

// Message box flags, with the values the old platform gave them so that
// callers keep their numbers. Button set: the low 4 bits.
inline constexpr unsigned kMbOk = 0x0;
inline constexpr unsigned kMbOkCancel = 0x1;
inline constexpr unsigned kMbAbortRetryIgnore = 0x2;
inline constexpr unsigned kMbYesNoCancel = 0x3;
inline constexpr unsigned kMbYesNo = 0x4;
inline constexpr unsigned kMbRetryCancel = 0x5;
// Icon: bits 4-7.
inline constexpr unsigned kMbIconStop = 0x10;
inline constexpr unsigned kMbIconQuestion = 0x20;
inline constexpr unsigned kMbIconExclamation = 0x30;
inline constexpr unsigned kMbIconInformation = 0x40;
// Default button: bits 8-11; the first button without one of these.
inline constexpr unsigned kMbDefButton2 = 0x100;
inline constexpr unsigned kMbDefButton3 = 0x200;
inline constexpr unsigned kMbDefButton4 = 0x300;
// A Help button after the others (when fewer than four exist).
inline constexpr unsigned kMbHelp = 0x4000;
// Bring the box to the foreground.
inline constexpr unsigned kMbSetForeground = 0x10000;

// Button codes, which are what the box returns.
inline constexpr int kIdOk = 1;
inline constexpr int kIdCancel = 2;
inline constexpr int kIdAbort = 3;
inline constexpr int kIdRetry = 4;
inline constexpr int kIdIgnore = 5;
inline constexpr int kIdYes = 6;
inline constexpr int kIdNo = 7;
inline constexpr int kIdHelp = 9;  // never returned: Help leaves the box open

// A message: a text (UTF-8), none (an empty text), or a number of the
// program's string table.
class MessageText {
 public:
  MessageText() = default;
  MessageText(const char* text) : text_(text ? text : "") {}
  MessageText(std::string text) : text_(std::move(text)) {}
  static MessageText FromStringTable(int id) {
    MessageText message;
    message.stringId_ = id;
    return message;
  }

  bool isStringId() const { return stringId_ >= 0; }
  int stringId() const { return stringId_; }
  const std::string& text() const { return text_; }

 private:
  int stringId_ = -1;
  std::string text_;
};

// What the rest of the program lends every message box: the string table
// (an id without a string answers an empty text) and the help that the
// Help button shows. Either may be left unset.
struct MessageBoxServices {
  std::function<std::string(int id)> loadString;
  std::function<void(QWidget* box)> showHelp;
};
void SetMessageBoxServices(MessageBoxServices services);

// Shows the program's own modal, topmost message box and returns the code
// of the button that closed it, or 0 when nothing could be measured (no
// application or screen).
// A null owner centres the box on the screen. A null caption gives "Error";
// an empty one stays empty.
int ShowMessageBox(QWidget* owner, const MessageText& text, const char* caption, unsigned flags);
int ShowMessageBox(QWidget* owner, const MessageText& text, const std::string& caption,
                   unsigned flags);

}  // namespace mascot
