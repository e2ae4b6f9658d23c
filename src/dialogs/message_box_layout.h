#pragma once
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <optional>
#include <vector>

// The decisions of the message box, apart from any window: which buttons,
// which is the default, what a button press does, and where everything goes.
namespace mascot {

enum class MessageBoxIcon { None, Stop, Question, Exclamation, Information };

MessageBoxIcon MessageBoxIconOf(unsigned flags);

// Button codes left to right: the set's buttons, then Help when asked for
// and fewer than four exist.
std::vector<int> MessageBoxButtons(unsigned flags);
QString MessageBoxButtonLabel(int code);

// Index of the default button, or -1 when the box has no buttons. A default
// beyond the last button falls back to the first.
int MessageBoxDefaultButton(unsigned flags, int buttonCount);

// A box without an OK or a Cancel button cannot be closed or escaped.
bool MessageBoxClosable(const std::vector<int>& buttons);

// The code a press of this button ends the box with; none when the box
// stays open (Help, or Cancel on a box that cannot be closed).
std::optional<int> MessageBoxResult(int code, bool closable);

struct MessageBoxLayout {
  QRect icon;  // empty without an icon
  QRect text;
  std::vector<QRect> buttons;
  QSize box;   // the dialog's client size
};

// textSize is the measured (possibly wrapped) text block; iconSize is empty
// for a box without an icon; frame is the style's dialog frame.
MessageBoxLayout LayoutMessageBox(QSize iconSize, QSize textSize, int buttonCount, QSize frame);

// Top-left of a box centred on the owner's rectangle.
QPoint CentreMessageBox(const QRect& owner, QSize box);

}  // namespace mascot
