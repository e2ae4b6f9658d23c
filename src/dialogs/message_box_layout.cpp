#include "dialogs/message_box_layout.h"

#include <algorithm>

#include "dialogs/message_box.h"

namespace mascot {
namespace {

constexpr int kButtonWidth = 56;
constexpr int kButtonHeight = 30;
constexpr int kButtonPitch = 60;
constexpr int kMaxButtons = 4;

}  // namespace

MessageBoxIcon MessageBoxIconOf(unsigned flags) {
  switch (flags & 0xF0) {
    case kMbIconStop: return MessageBoxIcon::Stop;
    case kMbIconQuestion: return MessageBoxIcon::Question;
    case kMbIconExclamation: return MessageBoxIcon::Exclamation;
    case kMbIconInformation: return MessageBoxIcon::Information;
    default: return MessageBoxIcon::None;
  }
}

std::vector<int> MessageBoxButtons(unsigned flags) {
  std::vector<int> buttons;
  switch (flags & 0xF) {
    case kMbOk: buttons = {kIdOk}; break;
    case kMbOkCancel: buttons = {kIdOk, kIdCancel}; break;
    case kMbAbortRetryIgnore: buttons = {kIdAbort, kIdRetry, kIdIgnore}; break;
    case kMbYesNoCancel: buttons = {kIdYes, kIdNo, kIdCancel}; break;
    case kMbYesNo: buttons = {kIdYes, kIdNo}; break;
    case kMbRetryCancel: buttons = {kIdRetry, kIdCancel}; break;
    default: break;
  }
  if ((flags & kMbHelp) && buttons.size() < kMaxButtons) buttons.push_back(kIdHelp);
  return buttons;
}

QString MessageBoxButtonLabel(int code) {
  switch (code) {
    case kIdOk: return QStringLiteral("OK");
    case kIdCancel: return QStringLiteral("Cancel");
    case kIdAbort: return QStringLiteral("Abort");
    case kIdRetry: return QStringLiteral("Retry");
    case kIdIgnore: return QStringLiteral("Ignore");
    case kIdYes: return QStringLiteral("Yes");
    case kIdNo: return QStringLiteral("No");
    case kIdHelp: return QStringLiteral("Help");
    default: return {};
  }
}

int MessageBoxDefaultButton(unsigned flags, int buttonCount) {
  if (buttonCount <= 0) return -1;
  int index = 0;
  switch (flags & 0xF00) {
    case kMbDefButton2: index = 1; break;
    case kMbDefButton3: index = 2; break;
    case kMbDefButton4: index = 3; break;
    default: break;
  }
  return index < buttonCount ? index : 0;
}

bool MessageBoxClosable(const std::vector<int>& buttons) {
  return std::find(buttons.begin(), buttons.end(), kIdOk) != buttons.end() ||
         std::find(buttons.begin(), buttons.end(), kIdCancel) != buttons.end();
}

std::optional<int> MessageBoxResult(int code, bool closable) {
  switch (code) {
    case kIdOk:
    case kIdAbort:
    case kIdRetry:
    case kIdIgnore:
    case kIdYes:
    case kIdNo: return code;
    case kIdCancel: return closable ? std::optional<int>(kIdCancel) : std::nullopt;
    default: return std::nullopt;
  }
}

MessageBoxLayout LayoutMessageBox(QSize iconSize, QSize textSize, int buttonCount, QSize frame) {
  const bool hasIcon = !iconSize.isEmpty();
  const int iconWidth = hasIcon ? iconSize.width() : 0;
  const int iconHeight = hasIcon ? iconSize.height() : 0;
  const int textLeft = hasIcon ? iconWidth + 30 + 8 : 8;
  const int leftMargin = hasIcon ? 30 + iconWidth : 0;
  int topArea = hasIcon ? 20 + iconHeight : 0;

  // The taller of icon and text sets the height; a shorter text is centred
  // against the icon.
  const int textHeight = textSize.height();
  int textTop = 12;
  if (iconHeight < textHeight)
    topArea += textHeight - iconHeight;
  else if (iconHeight > textHeight)
    textTop = (iconHeight - textHeight) / 2 + 12;

  const int rowWidth = kButtonPitch * buttonCount - 4;
  const int contentWidth = iconWidth + textSize.width() > rowWidth ? textSize.width() : rowWidth;

  MessageBoxLayout layout;
  layout.box = QSize(leftMargin + contentWidth + frame.width() + 16,
                     topArea + frame.height() + 54);
  if (hasIcon) layout.icon = QRect(QPoint(8, 12), iconSize);
  layout.text = QRect(QPoint(textLeft, textTop), textSize);
  const int rowTop = layout.box.height() - 42;
  const int rowLeft = (layout.box.width() - rowWidth) / 2;
  for (int i = 0; i < buttonCount; ++i)
    layout.buttons.emplace_back(rowLeft + i * kButtonPitch, rowTop, kButtonWidth, kButtonHeight);
  return layout;
}

QPoint CentreMessageBox(const QRect& owner, QSize box) {
  return owner.topLeft() +
         QPoint((owner.width() - box.width()) / 2, (owner.height() - box.height()) / 2);
}

}  // namespace mascot
