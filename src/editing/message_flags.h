#pragma once

// The message box's flags and answers as the core passes them through
// EditorServices::showMessage. The values are the box's own (the Qt layer's
// dialogs/message_box.h), which the core cannot include.
namespace mascot {

struct MessageFlags {
  // Buttons.
  static constexpr unsigned kOk = 0x0;
  static constexpr unsigned kOkCancel = 0x1;
  static constexpr unsigned kYesNo = 0x4;
  // Icons.
  static constexpr unsigned kErrorIcon = 0x10;
  static constexpr unsigned kQuestionIcon = 0x20;
  static constexpr unsigned kWarningIcon = 0x30;
  static constexpr unsigned kInformationIcon = 0x40;
  // Brings the box to the foreground.
  static constexpr unsigned kForeground = 0x10000;
};

// The button that closed the box.
struct MessageAnswer {
  static constexpr int kOk = 1;
  static constexpr int kCancel = 2;
  static constexpr int kYes = 6;
  static constexpr int kNo = 7;
};

}  // namespace mascot
