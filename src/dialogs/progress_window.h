#pragma once
#include <string_view>

class QWidget;

// The modeless progress window (dialog 142) shown during long operations: a
// title line and a centred detail line. At most one exists.
namespace mascot {

// Opens the window unless it is open, and sets its title to "Working...".
// A new window shows just below the splash while one shows.
void OpenProgress(QWidget* owner);
// Texts in UTF-8; without a window they do nothing.
void SetProgressTitle(std::string_view text);
void SetProgressDetail(std::string_view text);
void CloseProgress();

// The open window, or null.
QWidget* CurrentProgressWindow();

inline constexpr int kProgressDialogId = 142;
inline constexpr int kProgressTitleId = 1082;
inline constexpr int kProgressDetailId = 1074;

}  // namespace mascot
